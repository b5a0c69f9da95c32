"""Helpers for the Python files of native strategies.

A native strategy calls a function of its Python file with one text and gets
one text back; None, numbers and other objects come back as empty text.
json_function lets such a function take JSON in and give any value back:

    import norq_api

    @norq_api.json_function
    def on_bar(bar):                  # bar: the parsed JSON, or None
        return "buy" if bar["close"] > 10 else ""
"""

import functools
import json


def json_function(func):
    """Wraps func so that it receives its text argument parsed as JSON (None
    when the strategy passed none). A str or bytes result goes back as it is,
    None as empty text, anything else as compact JSON."""

    @functools.wraps(func)
    def call(text=None):
        return answer(func(None if text is None else json.loads(text)))

    return call


def answer(value):
    """value as the text a native strategy receives."""
    if value is None:
        return ""
    if isinstance(value, (str, bytes)):
        return value
    return json.dumps(value, ensure_ascii=False, separators=(",", ":"))
