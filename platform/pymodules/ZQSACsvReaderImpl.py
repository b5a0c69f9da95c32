"""Stand-in for the body of the platform's CSV reader."""
