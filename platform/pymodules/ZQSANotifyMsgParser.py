"""Stand-in for the platform's parser of host notifications."""
