#!/usr/bin/env python3
"""Computes, independently of the C++ code, the values the numerics and sample tests expect.

Arithmetic is done exactly with fractions and rounded explicitly: to a 64-bit mantissa where
the program computes in extended precision, then to a 53-bit double where it stores a double.
Run it and paste its output into the tests when an expectation has to change.
"""
from decimal import Decimal, getcontext
from fractions import Fraction as F
import math

getcontext().prec = 80


def round_bits(q, p):
    q = F(q)
    if q == 0:
        return F(0)
    sign = -1 if q < 0 else 1
    q = abs(q)
    e = math.floor(math.log2(q.numerator) - math.log2(q.denominator))
    while F(2) ** e > q:
        e -= 1
    while F(2) ** (e + 1) <= q:
        e += 1
    scale = F(2) ** (p - 1 - e)
    m = q * scale
    n = math.floor(m)
    rest = m - n
    if rest > F(1, 2) or (rest == F(1, 2) and n % 2 == 1):
        n += 1
    return sign * F(n) / scale


def ext(q):
    return round_bits(q, 64)


def dbl(q):
    return float(round_bits(q, 53))


class Uniform:
    def __init__(self, seed):
        self.seed = seed

    def advance(self):
        self.seed = (self.seed * 134775813 + 1) % 2**32
        return self.seed

    def int(self, n):
        return (self.advance() * n) >> 32

    def real(self):
        return F(self.advance(), 2**32)


def normal_table(low, high, res, m, s):
    table = []
    for k in range(res):
        x = dbl(F(low) + ext(F(high - low) * k / res))
        d = F(x) - F(m)
        t = ext(-ext(d * d) / 2)
        t = ext(t / (F(s) * F(s)))
        e = Decimal(t.numerator) / Decimal(t.denominator)
        table.append(dbl(ext(F(e.exp()))))
    return table


def random_value(u, table, low, high):
    res = len(table)
    attempt = 0
    while True:
        attempt += 1
        k = u.int(res)
        uu = u.real()
        if k == res - 1:
            a = dbl(ext((1 - uu) * F(table[k])))
        else:
            a = dbl(ext(ext(ext(F(table[k + 1]) - F(table[k])) * uu) + F(table[k])))
        if a >= 1.0:
            break
        if u.real() < F(a):
            break
        if attempt > 100000:
            break
    return dbl(F(low) + ext((k + 1 + uu - 1) * F(high - low) / res))


def measures(values):
    n = len(values)
    s = 0.0
    counts = [0] * 26
    top, mode = 0, 0.0
    for v in values:
        c = min(max(math.floor(v), 0), 25)
        counts[c] += 1
        if counts[c] > top:
            top, mode = counts[c], c + 0.5
        s += v
    srt = sorted(values)
    lo, hi = round(n * 0.1), round(n * 0.9)
    ts = 0.0
    for r in range(lo, hi + 1):
        ts += srt[r - 1]
    return s / n, ts / (hi - lo + 1), srt[n // 2 - 1], mode


if __name__ == "__main__":
    u = Uniform(1234)
    print("first states from 1234:", [u.advance() for _ in range(3)])
    u = Uniform(1234)
    print("first UniformReal from 1234: %r" % float(u.real()))
    u = Uniform(1234)
    print("UniformInt(500) x3 from 1234:", [u.int(500) for _ in range(3)])
    table = normal_table(0, 20, 500, 8.0, 2.5)
    print("DistTable[0] %r [200] %r [1] %r [499] %r" % (table[0], table[200], table[1], table[499]))
    for seed in (1234, 20261209):
        u = Uniform(seed)
        sample = [random_value(u, table, 0.0, 20.0) for _ in range(30)]
        print("sample of 30 from seed", seed, "final state", u.seed)
        print(",\n".join("%r" % v for v in sample))
        print("measures (mean, trimmed, median, mode): %r %r %r %r" % measures(sample))
        more = sample + [random_value(u, table, 0.0, 20.0) for _ in range(60)]
        print("after 90: %r %r %r %r" % measures(more))
