"""Stand-in for the record definitions of the platform's Python strategies."""
