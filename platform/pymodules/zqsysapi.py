"""Stand-in for the platform's system API as Python sees it."""
