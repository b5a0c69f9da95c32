"""Stand-in for the platform's host-request module."""
