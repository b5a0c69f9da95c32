"""The decisions of the pystrategy sample: a breakout rule over bar closes.

The native strategy calls on_start once with its window and on_bar with each
bar of its symbol; on_bar answers "buy" when a close rises above every close
of the window before it, "sell" when it falls below all of them, and ""
otherwise.
"""

from collections import deque

import norq_api

closes = deque()
window = 5


@norq_api.json_function
def on_start(params):
    global window
    window = max(1, int(params.get("window", window)))
    closes.clear()
    return "breakout over %d bars" % window


@norq_api.json_function
def on_bar(bar):
    close = float(bar["close"])
    side = ""
    if len(closes) == window:
        if close > max(closes):
            side = "buy"
        elif close < min(closes):
            side = "sell"
        closes.popleft()
    closes.append(close)
    return side
