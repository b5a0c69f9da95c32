"""Stand-in for the platform's database access."""
