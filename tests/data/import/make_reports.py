#!/usr/bin/env python3
"""Writes the sample chromatograph reports of the import tests and the
component lists expected from them.

  reformate.DHA        English detailed hydrocarbon analysis of a reformate
  reformate.KAT.golden its component list (stream 2, catalyzate)
  feed.TXT             Russian table report of a feed, code page 866
  feed.SIR.golden      its component list (stream 1, feed), code page 866

The expected lists are made here from the same values the reports print,
column by column, so the test compares the program against an independent
reading of the layouts. Run it from any folder; it writes beside itself.
"""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))

# Reformate components in the order they leave a 100 m methylsilicone column.
REFORMATE = """
Propane|i-Butane|n-Butane|2,2-Dimethylpropane|i-Pentane|n-Pentane|2,2-Dimethylbutane|Cyclopentane
2,3-Dimethylbutane|2-Methylpentane|3-Methylpentane|n-Hexane|2,2-Dimethylpentane|Methylcyclopentane
2,4-Dimethylpentane|2,2,3-Trimethylbutane|Benzene|3,3-Dimethylpentane|Cyclohexane|2-Methylhexane
2,3-Dimethylpentane|1,1-Dimethylcyclopentane|3-Methylhexane|1c,3-Dimethylcyclopentane
1t,3-Dimethylcyclopentane|3-Ethylpentane|1t,2-Dimethylcyclopentane|2,2,4-Trimethylpentane|n-Heptane
Methylcyclohexane|1c,2-Dimethylcyclopentane|2,2-Dimethylhexane|1,1,3-Trimethylcyclopentane
2,5-Dimethylhexane|2,4-Dimethylhexane|Ethylcyclopentane|2,2,3-Trimethylpentane|1,2,4-Trimethylcyclopentane
3,3-Dimethylhexane|1t,2c,3-Trimethylcyclopentane|2,3,4-Trimethylpentane|Toluene|2,3,3-Trimethylpentane
1,2,3-Trimethylcyclopentane|2,3-Dimethylhexane|2-Methyl-3-ethylpentane|1,1,2-Trimethylcyclopentane
2-Methylheptane|4-Methylheptane|3,4-Dimethylhexane|3-Methyl-3-ethylpentane|3-Methylheptane
1c,3-Dimethylcyclohexane|1t,4-Dimethylcyclohexane|3-Ethylhexane|1,1-Dimethylcyclohexane
2,2,5-Trimethylhexane|1-Methyl-trans-3-ethylcyclopentane|1-Methyl-cis-3-ethylcyclopentane
1-Methyl-trans-2-ethylcyclopentane|1-Methyl-1-ethylcyclopentane|Trimethylcyclopentane
1t,2-Dimethylcyclohexane|n-Octane|1t,3-Dimethylcyclohexane|1c,4-Dimethylcyclohexane
i-Propylcyclopentane|2,3,5-Trimethylhexane|2,2-Dimethylheptane|2,4-Dimethylheptane
1-Methyl-cis-2-ethylcyclopentane|2,2,3-Trimethylhexane|1c,2-Dimethylcyclohexane
2-Methyl-4-ethylhexane|2,6-Dimethylheptane|n-Propylcyclopentane|2,5-Dimethylheptane
3,3-Dimethylheptane|Ethylcyclohexane|1,1,3-Trimethylcyclohexane|Ethylbenzene
1c,3c,5-Trimethylcyclohexane|2,3,4-Trimethylhexane|1,1,4-Trimethylcyclohexane|p-Xylene|m-Xylene
2,3-Dimethylheptane|3,4-Dimethylheptane|4-Ethylheptane|4-Methyloctane|2-Methyloctane
1c,2t,4t-Trimethylcyclohexane|3-Ethylheptane|3-Methyloctane|1t,2-Methylethylcyclopentane
o-Xylene|1,1,2-Trimethylcyclohexane|1c,2t,4c-Trimethylcyclohexane|i-Butylcyclopentane|n-Nonane
i-Propylcyclohexane|2,2-Dimethyloctane|2,4-Dimethyloctane|i-Propylbenzene|n-Butylcyclopentane
2,6-Dimethyloctane|2,5-Dimethyloctane|n-Propylcyclohexane|3,3-Dimethyloctane|n-Propylbenzene
3,6-Dimethyloctane|1-Methyl-3-ethylbenzene|1-Methyl-4-ethylbenzene|1,3,5-Trimethylbenzene
2,3-Dimethyloctane|4-Ethyloctane|1-Methyl-2-ethylbenzene|5-Methylnonane|4-Methylnonane
2-Methylnonane|3-Ethyloctane|1,2,4-Trimethylbenzene|3-Methylnonane|i-Butylcyclohexane
1-Methyl-4-i-propylcyclohexane|sec-Butylcyclohexane|2,2,6-Trimethyloctane|3,3,5-Trimethylheptane
1t-Methyl-2-n-propylcyclohexane|n-Butylcyclohexane|trans-Decahydronaphthalene|cis-Decahydronaphthalene
t-Butylbenzene|i-Butylbenzene|sec-Butylbenzene|n-Decane|1,2,3-Trimethylbenzene
1-Methyl-3-i-propylbenzene|1-Methyl-4-i-propylbenzene|Indane|1-Methyl-2-i-propylbenzene
1,3-Diethylbenzene|1-Methyl-3-n-propylbenzene|1,4-Diethylbenzene|n-Butylbenzene
1,3-Dimethyl-5-ethylbenzene|1,2-Diethylbenzene|1-Methyl-2-n-propylbenzene|1,4-Dimethyl-2-ethylbenzene
5-Methyldecane|1,3-Dimethyl-4-ethylbenzene|4-Methyldecane|1,2-Dimethyl-4-ethylbenzene
2,6-Dimethylnonane|3-Ethylnonane|1,1,3,5-Tetramethylcyclohexane|n-Pentylcyclopentane
2,3-Dimethylnonane|1-Ethyl-4-n-propylbenzene|1,4-Dimethyl-2-i-propylbenzene|3,7-Dimethyldecane
1-Methyl-4-n-butylbenzene|2,6-Dimethyldecane
2-Methyldecane|1,3-Dimethyl-2-ethylbenzene|3-Methyldecane|1,2-Dimethyl-3-ethylbenzene
n-Undecane|1,2,4,5-Tetramethylbenzene|1,2,3,5-Tetramethylbenzene|2-Methylindane|1-Methylindane
1-Ethyl-2-i-propylbenzene|1,2,3,4-Tetramethylbenzene|n-Pentylbenzene|1,2,3,4-Tetrahydronaphthalene
Naphthalene|1-t-Butyl-3,5-dimethylbenzene|1,3-Di-i-propylbenzene|5-Methyltetralin|n-Dodecane
1,3,5-Triethylbenzene|1,2,4-Triethylbenzene|n-Hexylbenzene|2-Methylnaphthalene|1-Methylnaphthalene
n-Tridecane|2-Ethylnaphthalene|1-Ethylnaphthalene|2,6-Dimethylnaphthalene|2,7-Dimethylnaphthalene
1,3-Dimethylnaphthalene|1,6-Dimethylnaphthalene|1,4-Dimethylnaphthalene|1,5-Dimethylnaphthalene
1,2-Dimethylnaphthalene|Unidentified C9|Unidentified C10|Unidentified C11|Unidentified C12
Unidentified C13+
"""

# Feed components with their Russian names, as the table report prints them.
FEED_RU = """
ПРОПАН|ИЗОБУТАН|Н-БУТАН|ИЗОПЕНТАН|Н-ПЕНТАН|2,2-ДИМЕТИЛБУТАН|ЦИКЛОПЕНТАН|2,3-ДИМЕТИЛБУТАН
2-МЕТИЛПЕНТАН|3-МЕТИЛПЕНТАН|Н-ГЕКСАН|2,2-ДИМЕТИЛПЕНТАН|МЕТИЛЦИКЛОПЕНТАН|2,4-ДИМЕТИЛПЕНТАН
2,2,3-ТРИМЕТИЛБУТАН|БЕНЗОЛ|3,3-ДИМЕТИЛПЕНТАН|ЦИКЛОГЕКСАН|2-МЕТИЛГЕКСАН|2,3-ДИМЕТИЛПЕНТАН
1,1-ДИМЕТИЛЦИКЛОПЕНТАН|3-МЕТИЛГЕКСАН|1,ЦИС-3-ДИМЕТИЛЦИКЛОПЕНТАН|1,ТРАНС-3-ДИМЕТИЛЦИКЛОПЕНТАН
3-ЭТИЛПЕНТАН|1,ТРАНС-2-ДИМЕТИЛЦИКЛОПЕНТАН|2,2,4-ТРИМЕТИЛПЕНТАН|Н-ГЕПТАН|МЕТИЛЦИКЛОГЕКСАН
1,ЦИС-2-ДИМЕТИЛЦИКЛОПЕНТАН|2,2-ДИМЕТИЛГЕКСАН|1,1,3-ТРИМЕТИЛЦИКЛОПЕНТАН|2,5-ДИМЕТИЛГЕКСАН
2,4-ДИМЕТИЛГЕКСАН|ЭТИЛЦИКЛОПЕНТАН|2,2,3-ТРИМЕТИЛПЕНТАН|1,ТРАНС-2,ЦИС-4-ТРИМЕТИЛЦИКЛОПЕНТАН
3,3-ДИМЕТИЛГЕКСАН|1,ТРАНС-2,ЦИС-3-ТРИМЕТИЛЦИКЛОПЕНТАН|2,3,4-ТРИМЕТИЛПЕНТАН|ТОЛУОЛ
2,3-ДИМЕТИЛГЕКСАН|2-МЕТИЛ-3-ЭТИЛПЕНТАН|2-МЕТИЛГЕПТАН|4-МЕТИЛГЕПТАН|3,4-ДИМЕТИЛГЕКСАН
3-МЕТИЛГЕПТАН|1,ЦИС-3-ДИМЕТИЛЦИКЛОГЕКСАН|1,ТРАНС-4-ДИМЕТИЛЦИКЛОГЕКСАН|1,1-ДИМЕТИЛЦИКЛОГЕКСАН
1-МЕТИЛ-ТРАНС-3-ЭТИЛЦИКЛОПЕНТАН|1-МЕТИЛ-ЦИС-3-ЭТИЛЦИКЛОПЕНТАН|1,ТРАНС-2-ДИМЕТИЛЦИКЛОГЕКСАН
Н-ОКТАН|1,ТРАНС-3-ДИМЕТИЛЦИКЛОГЕКСАН|ИЗОПРОПИЛЦИКЛОПЕНТАН|2,3,5-ТРИМЕТИЛГЕКСАН
2,4-ДИМЕТИЛГЕПТАН|1,ЦИС-2-ДИМЕТИЛЦИКЛОГЕКСАН|Н-ПРОПИЛЦИКЛОПЕНТАН|ЭТИЛЦИКЛОГЕКСАН|ЭТИЛБЕНЗОЛ
1,ЦИС-3,ЦИС-5-ТРИМЕТИЛЦИКЛОГЕКСАН|П-КСИЛОЛ|М-КСИЛОЛ|4-МЕТИЛОКТАН|2-МЕТИЛОКТАН|3-МЕТИЛОКТАН
1,ЦИС-2,ТРАНС-4,ТРАНС-5-ТЕТРАМЕТИЛЦИКЛОГЕКСАН (СУММА ИЗОМЕРОВ)
О-КСИЛОЛ|Н-НОНАН|ИЗОПРОПИЛБЕНЗОЛ|Н-ПРОПИЛЦИКЛОГЕКСАН|Н-ПРОПИЛБЕНЗОЛ|1-МЕТИЛ-3-ЭТИЛБЕНЗОЛ
1-МЕТИЛ-4-ЭТИЛБЕНЗОЛ|1,3,5-ТРИМЕТИЛБЕНЗОЛ|1-МЕТИЛ-2-ЭТИЛБЕНЗОЛ|1,2,4-ТРИМЕТИЛБЕНЗОЛ
1-МЕТИЛ-ТРАНС-2-ЭТИЛ-ТРАНС-4-ИЗОПРОПИЛЦИКЛОГЕКСАН
ПРОЧИЕ НЕИДЕНТИФИЦИРОВАННЫЕ УГЛЕВОДОРОДЫ С10 И ВЫШЕ
Н-ДЕКАН|1,2,3-ТРИМЕТИЛБЕНЗОЛ|ИНДАН|1,3-ДИЭТИЛБЕНЗОЛ|Н-БУТИЛБЕНЗОЛ|Н-УНДЕКАН|НАФТАЛИН
Н-ДОДЕКАН|2-МЕТИЛНАФТАЛИН|1-МЕТИЛНАФТАЛИН|Н-ТРИДЕКАН
"""


def names(block):
    out = []
    for line in block.strip().splitlines():
        line = line.strip()
        # A line holding one long name may contain '|' only as a separator.
        out.extend(n for n in line.split("|") if n)
    return out


def shares(count, seed, heavy):
    """Mass percentages in thousandths that add up to exactly 100.000."""
    rng = random.Random(seed)
    weights = [rng.uniform(0.2, 1.0) * (3.0 if i in heavy else 1.0) for i in range(count)]
    total = sum(weights)
    values = [int(round(w / total * 100000)) for w in weights]
    values[max(range(count), key=lambda i: values[i])] += 100000 - sum(values)
    return values


def fmt(thousandths):
    return "%6.3f" % (thousandths / 1000.0)


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def crlf(lines):
    return "".join(l + "\r\n" for l in lines)


def make_dha():
    comps = names(REFORMATE)
    heavy = {i for i, n in enumerate(comps) if n in ("Toluene", "m-Xylene", "o-Xylene", "Benzene",
                                                      "1,2,4-Trimethylbenzene", "p-Xylene", "Ethylbenzene")}
    values = shares(len(comps), 1909, heavy)
    rng = random.Random(11)
    head = [
        "",
        "                     Detailed Hydrocarbon Analysis",
        "",
        "  Sample Name   : KAT 01-09-09 R-3 outlet          Injection : 01-Sep-2009 10:42",
        "  Sample Type   : Reformate (catalyzate)           Operator  : Lab 3 / shift B",
        "  Method        : PIANO-100.MTH                    Data File : D:\\DHA\\090901\\KAT0142.D",
        "  Column        : PDMS 100 m x 0.25 mm x 0.5 um    Detector  : FID 300 C",
        "  Carrier       : Helium, 2.0 ml/min constant flow Split     : 150:1",
        "",
        "  Summary by Group Type (Mass %)",
        "",
        "  Carbon  Paraffins  I-Paraffins  Olefins  Naphthenes  Aromatics     Total",
        "  ------  ---------  -----------  -------  ----------  ---------  --------",
    ]
    for c in range(3, 14):
        row = [rng.uniform(0, 3), rng.uniform(0, 8), 0.0, rng.uniform(0, 2), rng.uniform(0, 15)]
        head.append("  %6d  %9.3f  %11.3f  %7.3f  %10.3f  %9.3f  %8.3f" % tuple([c] + row + [sum(row)]))
    head += [
        "",
        "  Research Octane Number (calculated) :  97.4",
        "  Average Molecular Weight            : 102.37",
        "  Relative Density 15/15 C            : 0.7964",
        "",
        "",
        "                    Components Listed in Chromatographic Order",
        "   #   Minutes  Index Component                          Mass %  Vol %   Mol %",
        "  --- -------- ------ ----------------------------------- ------ ------- -------",
    ]
    lines = list(head)
    golden = []
    minutes = 7.2
    index = 300.0
    for i, (name, v) in enumerate(zip(comps, values)):
        minutes += rng.uniform(0.05, 0.5)
        index += rng.uniform(1.0, 4.0)
        prefix = "%4d%8.3f%6.1f " % (i + 1, minutes, index)     # columns 1-19
        field = name[:35].ljust(35)                             # columns 20-54
        value = fmt(v)                                          # columns 55-60
        tail = " %6.3f  %6.3f" % (v / 1000.0 * rng.uniform(0.9, 1.1), v / 1000.0 * rng.uniform(0.8, 1.2))
        assert len(prefix) == 19
        lines.append(prefix + field + value + tail)
        golden.append(field + " " * 8 + value)
    write("reformate.DHA", crlf(lines).encode("ascii"))
    write("reformate.KAT.golden", crlf(golden).encode("ascii"))
    return len(comps)


def make_txt():
    comps = names(FEED_RU)
    values = shares(len(comps), 2009, set())
    rng = random.Random(5)
    head = [
        "",
        "            ТАБЛИЦА УГЛЕВОДОРОДНОГО СОСТАВА",
        "",
        "  Установка: Л-35-11/600          Поток: СЫРЬЁ РИФОРМИНГА",
        "  Дата отбора: 01.09.09           Время: 08:30",
        "  Колонка: капиллярная 100 м, неподвижная фаза OV-101",
        "  Детектор: ПИД                   Газ-носитель: гелий",
        "",
        " *******************************************************************************",
        "   N   ВРЕМЯ    ИНДЕКС МАСС.% КОМПОНЕНТ",
    ]
    lines = list(head)
    golden = []
    minutes, index = 6.1, 300.0
    trans = "ТРАНС".encode("cp866")
    for i, (name, v) in enumerate(zip(comps, values)):
        minutes += rng.uniform(0.1, 1.1)
        index += rng.uniform(2.0, 12.0)
        prefix = "%4d%8.3f%8.1f " % (i + 1, minutes, index)     # columns 1-21
        assert len(prefix) == 21
        value = fmt(v)                                          # columns 22-27
        lines.append(prefix + value + " " + name)               # name from column 29
        raw = name.encode("cp866")
        if len(raw) > 43:
            while trans in raw:
                p = raw.index(trans)
                raw = raw[:p + 1] + raw[p + 5:]
        golden.append(raw[:43].ljust(43, b" ") + value.encode("ascii"))
    lines += [
        " -------------------------------------------------------------------------------",
        "                    ИТОГО:  100.000",
        "",
        "  Аналитик: ______________",
    ]
    write("feed.TXT", crlf(lines).encode("cp866"))
    write("feed.SIR.golden", b"".join(l + b"\r\n" for l in golden))
    return len(comps)


if __name__ == "__main__":
    print("reformate.DHA:", make_dha(), "components")
    print("feed.TXT:", make_txt(), "components")
