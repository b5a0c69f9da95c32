"""Stand-in for the platform's record layouts shared with native strategies."""
