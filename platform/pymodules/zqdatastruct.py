"""Stand-in for the platform's market-data records."""
