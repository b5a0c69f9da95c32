#!/usr/bin/env python3
"""Writes examples/data/sample_bars.csv: one-minute bars for a few symbols
over a few trading days, for replaying strategies with zqhost.

Prices follow a random walk whose drift turns from rising to falling and back
in spells of SPELL_MINUTES, so a 5/20 moving-average crossover trades about
two times a day on each symbol instead of on every wiggle. The generator is seeded:
running the script again gives the same file byte for byte.

    scripts/make_sample_bars.py [OUTPUT]
"""
import csv
import datetime
import os
import random
import sys

SEED = 20240304
FIRST_DAY = datetime.date(2024, 3, 4)  # a Monday
TRADING_DAYS = 5
# Bars are stamped with the minute they end: 09:31 is the first bar after
# the 09:30 open, 11:30 and 15:00 close the morning and afternoon sessions.
SESSIONS = ((datetime.time(9, 31), datetime.time(11, 30)), (datetime.time(13, 1), datetime.time(15, 0)))
SYMBOLS = {  # symbol: (first price, typical shares per minute)
    "000001.SZ": (10.80, 120000),
    "510050.SH": (2.45, 900000),
    "600000.SH": (7.20, 80000),
}
DRIFT_PER_MINUTE = 0.00025  # share of the price, on average, in a spell
NOISE_PER_MINUTE = 0.0002
SPELL_MINUTES = (90, 240)
OVERNIGHT_GAP = 0.004
HEADER = ["symbol", "time", "open", "high", "low", "close", "volume", "amount"]


def trading_days(first, count):
    day = first
    while count:
        if day.weekday() < 5:
            yield day
            count -= 1
        day += datetime.timedelta(days=1)


def bar_times(days):
    for day in days:
        for start, end in SESSIONS:
            minute = datetime.datetime.combine(day, start)
            while minute.time() <= end:
                yield minute
                minute += datetime.timedelta(minutes=1)


class Walk:
    """One symbol's prices: a drifting random walk in spells."""

    def __init__(self, rng, price, volume):
        self.rng, self.price, self.volume = rng, price, volume
        self.direction, self.drift, self.spell_left = rng.choice((-1, 1)), 0.0, 0
        self.day = None

    def next_drift(self):
        if self.spell_left == 0:
            self.direction = -self.direction
            self.drift = self.direction * self.rng.uniform(0.5, 1.5) * DRIFT_PER_MINUTE
            self.spell_left = self.rng.randint(*SPELL_MINUTES)
        self.spell_left -= 1
        return self.drift

    def bar(self, when):
        # The walk runs on unrounded prices: rounding every step to the cent
        # would swallow a cheap symbol's drift.
        start = self.price
        if self.day != when.date() and self.day is not None:
            start *= 1 + self.rng.gauss(0, OVERNIGHT_GAP)
        self.day = when.date()
        self.price = start * (1 + self.next_drift() + self.rng.gauss(0, NOISE_PER_MINUTE))
        wick = abs(self.rng.gauss(0, NOISE_PER_MINUTE / 2))
        open_, close = round(start, 2), round(self.price, 2)
        high = round(max(open_, close) * (1 + wick), 2)
        low = round(min(open_, close) * (1 - wick), 2)
        volume = max(100, int(self.volume * self.rng.lognormvariate(0, 0.5)) // 100 * 100)
        amount = round(volume * (open_ + high + low + close) / 4, 2)
        return [f"{open_:.2f}", f"{high:.2f}", f"{low:.2f}", f"{close:.2f}", volume, f"{amount:.2f}"]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "examples", "data", "sample_bars.csv")
    rng = random.Random(SEED)
    walks = {symbol: Walk(rng, price, volume) for symbol, (price, volume) in sorted(SYMBOLS.items())}
    with open(output, "w", newline="") as file:
        writer = csv.writer(file, lineterminator="\n")
        writer.writerow(HEADER)
        for when in bar_times(trading_days(FIRST_DAY, TRADING_DAYS)):
            stamp = when.strftime("%Y-%m-%d %H:%M:%S")
            for symbol, walk in walks.items():
                writer.writerow([symbol, stamp] + walk.bar(when))


if __name__ == "__main__":
    main()
