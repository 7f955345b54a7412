#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The standard diameter table of the single pipe test data, computed apart
from the program's code, straight from the method: the air property
polynomials, the pipe coefficient and the table's iteration (bound 1e-5 W/m,
at most 100 passes, each thickness's first pass comparing with the row above).

Prints the rows of DiameterTable.TestDataComputedIndependently in
diameter_table_test.cpp: D, the losses at the table screen's two decimals,
and the passes of each insulated iteration."""
import math


def poly(terms, T):
    # Highest power first, each term coefficient * T**n, as the method sums.
    total = 0.0
    for n, a in terms:
        total += a * T**n
    return total


def RO(T):
    return poly([(5, -5.38313e-14), (4, 7.90076e-11), (3, -4.76553e-08), (2, 1.70063e-05),
                 (1, -0.00477689), (0, 1.29381)], T)


def CP(T):
    return poly([(3, -9.86675e-10), (2, 9.62734e-07), (1, -6.56758e-05), (0, 1.00692)], T)


def LAM(T):
    return poly([(4, -2.6142e-14), (3, 2.85943e-12), (2, -1.94021e-08),
                 (1, 7.830350000000001e-05), (0, 0.0243714)], T)


def MI(T):
    return poly([(5, -9.1359e-19), (4, 9.78776e-16), (3, -3.0689e-13), (2, -1.35537e-12),
                 (1, 5.02298e-08), (0, 1.71531e-05)], T)


def htchp(Tm, Ta, D, e, WC):
    Ts = 2 * Tm - Ta
    Gr = (D / 1000)**3 * RO(Tm)**2 * 9.81 * (1 / (Tm + 273.15)) * (Ts - Ta) / MI(Tm)**2
    Prm = MI(Tm) * (1000 * CP(Tm)) / LAM(Tm)
    Prs = MI(Ts) * (1000 * CP(Ts)) / LAM(Ts)
    Nu = 0.5 * (Gr * Prm)**0.25 * (Prm / Prs)**0.25
    hc = Nu * WC * LAM(Ts) / (D / 1000)
    hr = 5.7 * e * (((Ts + 273.15) / 100)**4 - ((Ta + 273.15) / 100)**4) / (Ts - Ta)
    return hr + hc


T1, Tout, k, e, WC = 143, 20, 0.07, 0.95, 1
tins = [20, 50, 75, 100, 150]
carried = [0.0] * 5
for i in range(1, 20):
    D = 10.0 * i if i <= 10 else 100.0 * (i - 9)
    losses = [(T1 - Tout) * htchp((T1 + Tout) / 2, Tout, D, e, WC) * (3.14 * D / 1000)]
    passes = []
    for j in range(5):
        Dj = D + 2 * tins[j]
        Tm = (T1 + Tout) / 2
        q = carried[j]
        for n in range(1, 101):
            qprev = q
            h = htchp(Tm, Tout, Dj, e, WC)
            U = 1 / (1 / h + (Dj / 1000) * math.log(Dj / D) / (2 * k))
            q = (T1 - Tout) * U * (3.14 * Dj / 1000)
            Tm = (Tout + q / (h * 3.14 * Dj / 1000) + Tout) / 2
            if abs(q - qprev) < 1e-5:
                break
        carried[j] = q
        losses.append(q)
        passes.append(n)
    print('{%d, {%s}, {%s}},' % (D, ', '.join('"%.2f"' % v for v in losses),
                                 ', '.join(map(str, passes))))
