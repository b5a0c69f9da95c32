"""Stand-in for the bodies of the platform's Python strategy functions."""
