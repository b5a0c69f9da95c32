"""Stand-in for the JSON keys of the platform's host requests."""
