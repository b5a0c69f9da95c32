"""Stand-in for the platform's structure definitions."""
