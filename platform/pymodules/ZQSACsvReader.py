"""Stand-in for the platform's CSV reader."""
