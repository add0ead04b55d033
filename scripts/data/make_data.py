# -*- coding: utf-8 -*-
"""Generates the delivered component database and the Hornel sample data.

Run from anywhere with /usr/bin/python3 scripts/data/make_data.py; it rewrites

  data/bin/sk/Basa/    group files <prefix>.3 .. <prefix>.13 of the five groups
                       (par, ipar, naf5, naf6, arom), candidate files
                       pars/ipars/naf5s/naf6s/aroms .3 .. .13, nlo,
                       shablon.1 .. shablon.17, trafaret
                       (the pictures in Basa/Pic are not touched)
  data/bin/sk/Hornel/01-09-09/
                       01-09-09.dan, 01-09-09.SIR, 01-09-09.KAT

and then runs check_data.py over the result.

Byte rules the program relies on:
- every line ends with CR LF, no blank lines, no trailing empty line;
- group-file line: model component number without leading blanks or zeros,
  one blank, the name padded with blanks to 42 bytes;
- English names are ASCII as the English DHA report prints them (at most 35
  characters, the width of its name column); Russian names are cp866 bytes as
  the Russian table report prints them; a Russian name longer than 43
  characters arrives with "ТРАНС" shortened to "Т", so it is stored that way;
- candidate display texts and trafaret are cp1251 (they are window texts).

Where each substance is counted, and why
========================================

The table TABLE right below is the per-substance record, one row per
substance:

    group carbon line feed reformate rule | English names | Russian names | note

group      P n-paraffins, I isoparaffins, N5 five-ring naphthenes,
           N6 six-ring naphthenes, A aromatics (groups 1..5 of the database)
carbon     carbon number, the number of the group file (par.8, arom.10, ...)
line       model component (line of the composition file) the substance is counted under
feed, reformate
           mass % in the Hornel sample lists of 01-09-09 before normalisation
           to 100 ("-": the substance is not in that list)
rule       why the substance is counted under that line (codes below)
English    names as the English DHA report prints them, the first one is the
           name used in the sample lists; a name of the program's built-in
           table is never written to a group file (the built-in table is
           searched first, a copy there would be dead weight)
Russian    names as the Russian table report prints them (written in cp866)

Rules (the justification of each row):

  B   the substance has its own line and the program knows its English name;
      the database only has to teach it the Russian name(s), in the cell of the
      built-in row (same line, group and carbon number)
  BA  another English spelling or trivial name of a built-in substance -> its line
  GA  light gas (C1, C2): the group tables begin at C3, so it is filed in the
      C3 n-paraffin cell and counted on line 1 "этан" with the ethane
  OL  olefin: the model has no olefins and they are saturated at reactor
      conditions, so it is counted under the saturate of the same carbon
      skeleton (its own line where the saturate has one)
  ST  stereo-isomer of a substance that has a line of its own, giving the
      same aromatic or the same ring on dehydrogenation -> that line
      (1c,3-dimethylcyclohexane -> 50 "1,3-дмцг(т)", m-xylene precursor;
      all 1,2,4- and 1,2,3-trimethylcyclopentanes -> 35 / 38)
  IS  C7/C8 isoparaffin without a line: counted with the listed isomer of the
      nearest structure and boiling point (note gives the partner)
  N8  C5..C8 naphthene without a line -> lump 47 "нафт. до с8"
  I9  C9 isoparaffin without a line -> lump 64 "и-с9"
  N9  C9 naphthene (five- or six-ring) -> lump 66 "нафт. до с9"
  H   C10..C13 paraffin, isoparaffin or naphthene -> lump 68 "с9+"
  A9  C9..C13 aromatic (alkylbenzenes, indanes, tetralin, naphthalenes)
      -> lump 69 "в т.ч. Ар" (which line 68 includes)

The lumps are recomputed from the group tables by the formation, so a
substance filed under a lump is counted by its group and carbon number; the
cell (group file) is what matters for it, the line only has to be the lump.
"""

TABLE = r"""
# ---- light gases and n-paraffins ------------------------------------------
P  3  1  -     -     GA | Methane                      | метан                       | no methane in a stabilised liquid, but reports carry the line
P  3  1  -     0.004 B  | Ethane                       | этан                        | built-in without a cell: the Russian name goes to line 1 in the C3 cell (rule GA)
P  3  2  0.010 0.120 B  | Propane                      | пропан                      |
P  4  4  0.120 0.750 B  | n-Butane                     | н-бутан                     |
P  5  6  0.300 1.900 B  | n-Pentane                    | н-пентан                    |
P  6 12  1.600 2.300 B  | n-Hexane                     | н-гексан                    |
P  7 26  6.200 2.100 B  | n-Heptane                    | н-гептан                    |
P  8 48  6.500 1.300 B  | n-Octane                     | н-октан                     |
P  9 67  5.500 0.600 B  | n-Nonane                     | н-нонан                     |
P 10 68  3.200 0.250 H  | n-Decane                     | н-декан                     |
P 11 68  1.200 0.060 H  | n-Undecane                   | н-ундекан                   |
P 12 68  0.250 0.020 H  | n-Dodecane                   | н-додекан                   |
P 13 68  0.050 0.004 H  | n-Tridecane                  | н-тридекан                  |
# ---- olefins (traces in the reformate) -------------------------------------
P  4  4  -     0.003 OL | 1-Butene                     | 1-бутен                     | n-butane skeleton
P  4  4  -     0.004 OL | trans-2-Butene               | ТРАНС-2-бутен               |
P  4  4  -     0.003 OL | cis-2-Butene                 | ЦИС-2-бутен                 |
I  4  3  -     0.004 OL | Isobutene; 2-Methylpropene   | изобутилен; 2-метилпропен   | isobutane skeleton
P  5  6  -     0.012 OL | 1-Pentene                    | 1-пентен                    |
P  5  6  -     0.020 OL | trans-2-Pentene              | ТРАНС-2-пентен              |
P  5  6  -     0.012 OL | cis-2-Pentene                | ЦИС-2-пентен                |
I  5  5  -     0.004 OL | 3-Methyl-1-butene            | 3-метил-1-бутен             | isopentane skeleton
I  5  5  -     0.020 OL | 2-Methyl-1-butene            | 2-метил-1-бутен             |
I  5  5  -     0.035 OL | 2-Methyl-2-butene            | 2-метил-2-бутен             |
N5 5  8  -     0.010 OL | Cyclopentene                 | циклопентен                 |
P  6 12  -     0.010 OL | 1-Hexene                     | 1-гексен                    |
P  6 12  -     0.012 OL | trans-2-Hexene               | ТРАНС-2-гексен              |
P  6 12  -     0.006 OL | cis-2-Hexene                 | ЦИС-2-гексен                |
I  6 10  -     0.010 OL | 2-Methyl-2-pentene           | 2-метил-2-пентен            | 2-methylpentane skeleton
I  6 11  -     0.006 OL | 3-Methyl-cis-2-pentene       | 3-метил-ЦИС-2-пентен        | 3-methylpentane skeleton
N5 6 13  -     0.015 OL | 1-Methylcyclopentene         | 1-метилциклопентен          |
N6 6 19  -     0.005 OL | Cyclohexene                  | циклогексен                 |
P  7 26  -     0.004 OL | 1-Heptene                    | 1-гептен                    |
A  8 59  -     -     OL | Styrene                      | стирол                      | saturated to ethylbenzene, line 59
# ---- C4-C6 isoparaffins ------------------------------------------------------
I  4  3  0.050 0.550 B  | i-Butane                     | изобутан; и-бутан           |
I  4  3  -     -     BA | Isobutane                    |                             |
I  5  5  0.250 2.800 B  | i-Pentane                    | изопентан; и-пентан         |
I  5  5  -     -     BA | Isopentane; 2-Methylbutane   | 2-метилбутан                |
I  5  5  -     0.010 IS | 2,2-Dimethylpropane; Neopentane | 2,2-диметилпропан; неопентан | the only other C5 isoparaffin; line 5 "и-пентан" is the C5 iso line
I  6  7  0.080 0.550 B  | 2,2-Dimethylbutane           | 2,2-диметилбутан            |
I  6  7  -     -     BA | Neohexane                    | неогексан                   |
I  6  9  0.200 0.700 B  | 2,3-Dimethylbutane           | 2,3-диметилбутан            |
I  6 10  1.100 3.400 B  | 2-Methylpentane              | 2-метилпентан               |
I  6 11  0.850 2.500 B  | 3-Methylpentane              | 3-метилпентан               |
# ---- C7 isoparaffins -------------------------------------------------------
I  7 14  0.100 0.350 B  | 2,2-Dimethylpentane          | 2,2-диметилпентан           |
I  7 15  0.300 0.750 B  | 2,4-Dimethylpentane          | 2,4-диметилпентан           |
I  7 17  0.030 0.080 B  | 2,2,3-Trimethylbutane        | 2,2,3-триметилбутан         |
I  7 17  -     -     BA | Triptane                     | триптан                     |
I  7 18  0.100 0.250 B  | 3,3-Dimethylpentane          | 3,3-диметилпентан           |
I  7 20  2.000 2.700 B  | 2-Methylhexane               | 2-метилгексан               |
I  7 21  0.800 1.150 B  | 2,3-Dimethylpentane          | 2,3-диметилпентан           |
I  7 22  2.300 2.900 B  | 3-Methylhexane               | 3-метилгексан               |
I  7 22  0.150 0.200 IS | 3-Ethylpentane               | 3-этилпентан                | with 3-methylhexane: mono-branched at C3, bp 93.5 vs 92 C, co-elutes on many columns
# ---- C8 isoparaffins -------------------------------------------------------
I  8 28  0.100 0.080 B  | 2,2-Dimethylhexane           | 2,2-диметилгексан           |
I  8 31  0.350 0.300 B  | 2,5-Dimethylhexane           | 2,5-диметилгексан           |
I  8 32  0.450 0.350 B  | 2,4-Dimethylhexane           | 2,4-диметилгексан           |
I  8 34  0.030 0.030 B  | 2,2,3-Trimethylpentane       | 2,2,3-триметилпентан        |
I  8 36  0.120 0.090 B  | 3,3-Dimethylhexane           | 3,3-диметилгексан           |
I  8 39  0.060 0.040 B  | 2,3,4-Trimethylpentane       | 2,3,4-триметилпентан        |
I  8 40  0.550 0.350 B  | 2,3-Dimethylhexane           | 2,3-диметилгексан           |
I  8 41  0.150 0.100 B  | 2-Methyl-3-ethylpentane      | 2-метил-3-этилпентан        |
I  8 41  -     -     BA | 3-Ethyl-2-methylpentane      | 3-этил-2-метилпентан        |
I  8 43  2.400 1.250 B  | 2-Methylheptane              | 2-метилгептан               |
I  8 44  0.900 0.450 B  | 4-Methylheptane              | 4-метилгептан               |
I  8 45  0.250 0.150 B  | 3,4-Dimethylhexane           | 3,4-диметилгексан           |
I  8 46  2.200 1.100 B  | 3-Methylheptane              | 3-метилгептан               |
I  8 34  0.040 0.060 IS | 2,2,4-Trimethylpentane; Isooctane | 2,2,4-триметилпентан; изооктан | with 2,2,3-trimethylpentane: trimethylpentane with a quaternary carbon
I  8 34  0.050 0.040 IS | 2,3,3-Trimethylpentane       | 2,3,3-триметилпентан        | with 2,2,3-trimethylpentane: quaternary trimethylpentane
I  8 34  -     -     IS | 2,2,3,3-Tetramethylbutane    | 2,2,3,3-тетраметилбутан     | with 2,2,3-trimethylpentane: the most branched C8
I  8 46  0.300 0.150 IS | 3-Ethylhexane                | 3-этилгексан                | with 3-methylheptane: branched at C3, elutes right after it
I  8 36  0.030 0.020 IS | 3-Methyl-3-ethylpentane      | 3-метил-3-этилпентан        | with 3,3-dimethylhexane: quaternary C3
# ---- C9 isoparaffins -------------------------------------------------------
I  9 51  0.080 0.040 B  | 2,3,5-Trimethylhexane        | 2,3,5-триметилгексан        |
I  9 52  0.070 0.040 B  | 2,2-Dimethylheptane          | 2,2-диметилгептан           |
I  9 53  0.300 0.150 B  | 2,4-Dimethylheptane          | 2,4-диметилгептан           |
I  9 54  0.030 0.010 B  | 2,2,3-Trimethylhexane        | 2,2,3-триметилгексан        |
I  9 55  0.120 0.060 B  | 2-Methyl-4-ethylhexane       | 2-метил-4-этилгексан        |
I  9 56  0.450 0.200 B  | 2,6-Dimethylheptane          | 2,6-диметилгептан           |
I  9 57  0.350 0.150 B  | 2,5-Dimethylheptane          | 2,5-диметилгептан           |
I  9 58  0.100 0.050 B  | 3,3-Dimethylheptane          | 3,3-диметилгептан           |
I  9 61  0.060 0.030 B  | 2,3,4-Trimethylhexane        | 2,3,4-триметилгексан        |
I  9 55  -     -     BA | 4-Ethyl-2-methylhexane       | 4-этил-2-метилгексан        |
I  9 64  0.040 0.020 I9 | 2,2,4-Trimethylhexane        | 2,2,4-триметилгексан        |
I  9 64  0.120 0.060 I9 | 2,2,5-Trimethylhexane        | 2,2,5-триметилгексан        |
I  9 64  0.030 0.010 I9 | 2,4,4-Trimethylhexane        | 2,4,4-триметилгексан        |
I  9 64  0.030 0.010 I9 | 2,3,3-Trimethylhexane        | 2,3,3-триметилгексан        |
I  9 64  0.010 -     I9 | 3,3,4-Trimethylhexane        | 3,3,4-триметилгексан        |
I  9 64  0.010 -     I9 | 2,2,3,4-Tetramethylpentane   | 2,2,3,4-тетраметилпентан    |
I  9 64  0.008 -     I9 | 2,3,3,4-Tetramethylpentane   | 2,3,3,4-тетраметилпентан    |
I  9 64  0.006 -     I9 | 2,2,4,4-Tetramethylpentane   | 2,2,4,4-тетраметилпентан    |
I  9 64  -     -     I9 | 2,2,3,3-Tetramethylpentane   | 2,2,3,3-тетраметилпентан    |
I  9 64  0.300 0.140 I9 | 3,5-Dimethylheptane          | 3,5-диметилгептан           |
I  9 64  0.350 0.150 I9 | 2,3-Dimethylheptane          | 2,3-диметилгептан           |
I  9 64  0.250 0.100 I9 | 3,4-Dimethylheptane          | 3,4-диметилгептан           |
I  9 64  0.030 0.010 I9 | 4,4-Dimethylheptane          | 4,4-диметилгептан           |
I  9 64  0.050 0.020 I9 | 4-Ethylheptane               | 4-этилгептан                |
I  9 64  0.200 0.080 I9 | 3-Ethylheptane               | 3-этилгептан                |
I  9 64  1.100 0.450 I9 | 2-Methyloctane               | 2-метилоктан                |
I  9 64  1.000 0.420 I9 | 3-Methyloctane               | 3-метилоктан                |
I  9 64  0.750 0.350 I9 | 4-Methyloctane               | 4-метилоктан                |
I  9 64  0.020 0.010 I9 | 2,4-Dimethyl-3-ethylpentane  | 2,4-диметил-3-этилпентан    |
I  9 64  0.020 0.008 I9 | 3-Methyl-3-ethylhexane       | 3-метил-3-этилгексан        |
I  9 64  0.040 0.015 I9 | 2-Methyl-3-ethylhexane       | 2-метил-3-этилгексан        |
I  9 64  0.015 -     I9 | 3,3-Diethylpentane           | 3,3-диэтилпентан            |
# ---- C10-C13 isoparaffins --------------------------------------------------
I 10 68  0.650 0.120 H  | 2-Methylnonane               | 2-метилнонан                |
I 10 68  0.550 0.100 H  | 3-Methylnonane               | 3-метилнонан                |
I 10 68  0.600 0.100 H  | 4-Methylnonane               | 4-метилнонан                |
I 10 68  0.350 0.060 H  | 5-Methylnonane               | 5-метилнонан                |
I 10 68  0.150 0.030 H  | 2,7-Dimethyloctane           | 2,7-диметилоктан            |
I 10 68  0.300 0.050 H  | 2,6-Dimethyloctane           | 2,6-диметилоктан            |
I 10 68  0.120 0.020 H  | 3,6-Dimethyloctane           | 3,6-диметилоктан            |
I 10 68  0.100 0.015 H  | 2,5-Dimethyloctane           | 2,5-диметилоктан            |
I 10 68  0.120 0.020 H  | 2,3-Dimethyloctane           | 2,3-диметилоктан            |
I 10 68  0.060 0.010 H  | 3,3-Dimethyloctane           | 3,3-диметилоктан            |
I 10 68  0.100 0.020 H  | 4-Ethyloctane                | 4-этилоктан                 |
I 10 68  0.080 0.015 H  | 3-Ethyloctane                | 3-этилоктан                 |
I 10 68  0.030 -     H  | 4-Propylheptane              | 4-пропилгептан              |
I 10 68  0.030 0.005 H  | 2,2,6-Trimethylheptane       | 2,2,6-триметилгептан        |
I 10 68  0.040 0.008 H  | 2,4,6-Trimethylheptane       | 2,4,6-триметилгептан        |
I 10 68  0.030 -     H  | 2,3,6-Trimethylheptane       | 2,3,6-триметилгептан        |
I 11 68  0.300 0.020 H  | 2-Methyldecane               | 2-метилдекан                |
I 11 68  0.250 0.020 H  | 3-Methyldecane               | 3-метилдекан                |
I 11 68  0.250 0.015 H  | 4-Methyldecane               | 4-метилдекан                |
I 11 68  0.200 0.012 H  | 5-Methyldecane               | 5-метилдекан                |
I 11 68  0.080 0.005 H  | 2,6-Dimethylnonane           | 2,6-диметилнонан            |
I 11 68  0.050 -     H  | 3-Ethylnonane                | 3-этилнонан                 |
I 12 68  0.060 0.004 H  | 2-Methylundecane             | 2-метилундекан              |
I 12 68  0.050 0.003 H  | 3-Methylundecane             | 3-метилундекан              |
I 12 68  0.020 -     H  | 2,6-Dimethyldecane           | 2,6-диметилдекан            |
I 13 68  0.010 -     H  | 2-Methyldodecane             | 2-метилдодекан              |
I 13 68  0.008 -     H  | 3-Methyldodecane             | 3-метилдодекан              |
# ---- five-ring naphthenes C5-C8 -------------------------------------------
N5 5  8  0.150 0.080 B  | Cyclopentane                 | циклопентан                 |
N5 6 13  1.300 0.450 B  | Methylcyclopentane           | метилциклопентан            |
N5 7 23  0.850 0.080 B  | 1c,3-Dimethylcyclopentane    | 1-ЦИС-3-диметилциклопентан  |
N5 7 24  0.800 0.080 B  | 1t,3-Dimethylcyclopentane    | 1-ТРАНС-3-диметилциклопентан |
N5 7 25  1.300 0.100 B  | 1t,2-Dimethylcyclopentane    | 1-ТРАНС-2-диметилциклопентан |
N5 7 27  0.100 0.010 B  | 1c,2-Dimethylcyclopentane    | 1-ЦИС-2-диметилциклопентан  |
N5 7 33  0.600 0.050 B  | Ethylcyclopentane            | этилциклопентан             |
N5 7 47  0.350 0.030 N8 | 1,1-Dimethylcyclopentane     | 1,1-диметилциклопентан      |
N5 8 29  0.450 0.030 B  | 1,1,3-Trimethylcyclopentane  | 1,1,3-триметилциклопентан   |
N5 8 35  0.500 0.040 B  | 1,2,4-Trimethylcyclopentane  | 1,2,4-триметилциклопентан   |
N5 8 38  0.350 0.020 B  | 1,2,3-Trimethylcyclopentane  | 1,2,3-триметилциклопентан   |
N5 8 42  0.120 0.010 B  | 1,1,2-Trimethylcyclopentane  | 1,1,2-триметилциклопентан   |
N5 8 60  0.080 0.010 B  | Trimethylcyclopentane        | триметилциклопентан         |
N5 8 35  0.550 0.040 ST | 1c,2t,4-Trimethylcyclopentane | 1-ЦИС-2-ТРАНС-4-триметилциклопентан |
N5 8 35  0.120 0.010 ST | 1c,2c,4-Trimethylcyclopentane | 1-ЦИС-2-ЦИС-4-триметилциклопентан |
N5 8 35  -     -     ST | 1t,2c,4-Trimethylcyclopentane | 1-ТРАНС-2-ЦИС-4-триметилциклопентан |
N5 8 38  0.200 0.015 ST | 1c,2t,3-Trimethylcyclopentane | 1-ЦИС-2-ТРАНС-3-триметилциклопентан |
N5 8 38  0.050 -     ST | 1c,2c,3-Trimethylcyclopentane | 1-ЦИС-2-ЦИС-3-триметилциклопентан |
N5 8 38  -     -     ST | 1t,2c,3-Trimethylcyclopentane | 1-ТРАНС-2-ЦИС-3-триметилциклопентан |
N5 8 47  0.080 0.010 N8 | 1-Methyl-1-ethylcyclopentane | 1-метил-1-этилциклопентан   |
N5 8 47  0.060 0.005 N8 | 1c-Methyl-2-ethylcyclopentane | 1-метил-ЦИС-2-этилциклопентан |
N5 8 47  0.150 0.010 N8 | 1t-Methyl-2-ethylcyclopentane | 1-метил-ТРАНС-2-этилциклопентан |
N5 8 47  0.250 0.020 N8 | 1c-Methyl-3-ethylcyclopentane | 1-метил-ЦИС-3-этилциклопентан |
N5 8 47  0.280 0.020 N8 | 1t-Methyl-3-ethylcyclopentane | 1-метил-ТРАНС-3-этилциклопентан |
N5 8 47  0.300 0.020 N8 | n-Propylcyclopentane         | н-пропилциклопентан         |
N5 8 47  0.050 0.005 N8 | Isopropylcyclopentane        | изопропилциклопентан        |
# ---- six-ring naphthenes C6-C8 --------------------------------------------
N6 6 19  1.100 0.120 B  | Cyclohexane                  | циклогексан                 |
N6 7 30  4.800 0.250 B  | Methylcyclohexane            | метилциклогексан            |
N6 8 49  0.700 0.030 B  | 1t,2-Dimethylcyclohexane     | 1-ТРАНС-2-диметилциклогексан |
N6 8 50  0.350 0.020 B  | 1t,3-Dimethylcyclohexane     | 1-ТРАНС-3-диметилциклогексан |
N6 8 59  1.000 0.040 B  | Ethylcyclohexane             | этилциклогексан             |
N6 8 50  1.200 0.050 ST | 1c,3-Dimethylcyclohexane     | 1-ЦИС-3-диметилциклогексан  | m-xylene precursor like its trans isomer
N6 8 49  0.300 0.010 ST | 1c,2-Dimethylcyclohexane     | 1-ЦИС-2-диметилциклогексан  | o-xylene precursor like its trans isomer
N6 8 47  0.450 0.020 N8 | 1t,4-Dimethylcyclohexane     | 1-ТРАНС-4-диметилциклогексан | p-xylene precursor, no 1,4 line in the model
N6 8 47  0.250 0.010 N8 | 1c,4-Dimethylcyclohexane     | 1-ЦИС-4-диметилциклогексан  |
N6 8 47  0.250 0.020 N8 | 1,1-Dimethylcyclohexane      | 1,1-диметилциклогексан      | gem-dimethyl, no aromatic without isomerisation
# ---- C9 naphthenes ---------------------------------------------------------
N5 9 66  0.100 0.005 N9 | n-Butylcyclopentane          | н-бутилциклопентан          |
N5 9 66  0.020 -     N9 | Isobutylcyclopentane         | изобутилциклопентан         |
N5 9 66  0.060 0.004 N9 | 1-Methyl-2-propylcyclopentane | 1-метил-2-пропилциклопентан |
N5 9 66  0.030 -     N9 | 1,1,3,3-Tetramethylcyclopentane | 1,1,3,3-тетраметилциклопентан |
N5 9 66  0.030 -     N9 | 1,2,3,4-Tetramethylcyclopentane | 1,2,3,4-тетраметилциклопентан |
N5 9 66  0.040 0.003 N9 | 1,3-Dimethyl-1-ethylcyclopentane | 1,3-диметил-1-этилциклопентан |
N5 9 66  0.030 -     N9 | 1-Methyl-3-propylcyclopentane | 1-метил-3-пропилциклопентан |
N5 9 66  -     -     N9 | 1,3-Diethylcyclopentane      | 1,3-диэтилциклопентан       |
N6 9 66  0.400 0.020 N9 | 1,1,3-Trimethylcyclohexane   | 1,1,3-триметилциклогексан   |
N6 9 66  0.450 0.020 N9 | 1c,3c,5-Trimethylcyclohexane | 1-ЦИС-3-ЦИС-5-триметилциклогексан |
N6 9 66  0.150 0.008 N9 | 1c,3t,5-Trimethylcyclohexane | 1-ЦИС-3-ТРАНС-5-триметилциклогексан |
N6 9 66  0.300 0.010 N9 | 1t,2c,4-Trimethylcyclohexane | 1-ТРАНС-2-ЦИС-4-триметилциклогексан |
N6 9 66  0.250 0.010 N9 | 1c,2t,4-Trimethylcyclohexane | 1-ЦИС-2-ТРАНС-4-триметилциклогексан |
N6 9 66  0.060 -     N9 | 1c,2t,3-Trimethylcyclohexane | 1-ЦИС-2-ТРАНС-3-триметилциклогексан |
N6 9 66  0.080 0.004 N9 | 1,1,4-Trimethylcyclohexane   | 1,1,4-триметилциклогексан   |
N6 9 66  0.060 0.003 N9 | 1,1,2-Trimethylcyclohexane   | 1,1,2-триметилциклогексан   |
N6 9 66  0.350 0.010 N9 | 1c-Methyl-3-ethylcyclohexane | 1-метил-ЦИС-3-этилциклогексан |
N6 9 66  0.150 0.006 N9 | 1t-Methyl-3-ethylcyclohexane | 1-метил-ТРАНС-3-этилциклогексан |
N6 9 66  0.250 0.010 N9 | 1t-Methyl-4-ethylcyclohexane | 1-метил-ТРАНС-4-этилциклогексан |
N6 9 66  0.120 0.005 N9 | 1c-Methyl-4-ethylcyclohexane | 1-метил-ЦИС-4-этилциклогексан |
N6 9 66  0.100 0.004 N9 | 1t-Methyl-2-ethylcyclohexane | 1-метил-ТРАНС-2-этилциклогексан |
N6 9 66  0.050 -     N9 | 1c-Methyl-2-ethylcyclohexane | 1-метил-ЦИС-2-этилциклогексан |
N6 9 66  0.550 0.020 N9 | n-Propylcyclohexane          | н-пропилциклогексан         |
N6 9 66  0.080 0.004 N9 | Isopropylcyclohexane         | изопропилциклогексан        |
# ---- C10-C13 naphthenes ----------------------------------------------------
N5 10 68 0.080 0.003 H  | n-Pentylcyclopentane         | н-пентилциклопентан         |
N5 10 68 0.030 -     H  | 1-Methyl-2-butylcyclopentane | 1-метил-2-бутилциклопентан  |
N5 11 68 0.030 -     H  | n-Hexylcyclopentane          | н-гексилциклопентан         |
N6 10 68 0.350 0.010 H  | n-Butylcyclohexane           | н-бутилциклогексан          |
N6 10 68 0.100 0.004 H  | Isobutylcyclohexane          | изобутилциклогексан         |
N6 10 68 0.060 -     H  | sec-Butylcyclohexane         | втор-бутилциклогексан       |
N6 10 68 0.120 0.004 H  | 1t-Methyl-4-isopropylcyclohexane | 1-метил-ТРАНС-4-изопропилциклогексан |
N6 10 68 0.120 0.004 H  | 1-Methyl-2-propylcyclohexane | 1-метил-2-пропилциклогексан |
N6 10 68 0.060 -     H  | 1,3-Diethylcyclohexane       | 1,3-диэтилциклогексан       |
N6 10 68 0.040 -     H  | 1c,2t,4t,5-Tetramethylcyclohexane | 1-ЦИС-2-ТРАНС-4-ТРАНС-5-тетраметилциклогексан | 45 letters: the report shortens ТРАНС to Т, the file holds the short form
N6 10 68 0.250 0.010 H  | trans-Decahydronaphthalene; trans-Decalin | ТРАНС-декагидронафталин; ТРАНС-декалин |
N6 10 68 0.080 0.003 H  | cis-Decahydronaphthalene; cis-Decalin | ЦИС-декагидронафталин; ЦИС-декалин |
N6 11 68 0.100 0.003 H  | n-Pentylcyclohexane          | н-пентилциклогексан         |
N6 11 68 0.040 -     H  | 2-Methyldecahydronaphthalene | 2-метилдекагидронафталин    |
N6 12 68 0.020 -     H  | n-Hexylcyclohexane           | н-гексилциклогексан         |
N6 13 68 0.010 -     H  | n-Heptylcyclohexane          | н-гептилциклогексан         |
# ---- C6-C8 aromatics -------------------------------------------------------
A  6 16  0.500 2.100 B  | Benzene                      | бензол                      |
A  7 37  2.400 19.500 B | Toluene                      | толуол                      |
A  7 37  -     -     BA | Methylbenzene                | метилбензол                 |
A  8 59  0.450 4.800 B  | Ethylbenzene                 | этилбензол                  |
A  8 62  0.550 4.600 B  | p-Xylene                     | п-ксилол; пара-ксилол       |
A  8 63  1.350 10.600 B | m-Xylene                     | м-ксилол; мета-ксилол       |
A  8 65  0.750 6.000 B  | o-Xylene                     | о-ксилол; орто-ксилол       |
A  8 62  -     -     BA | 1,4-Dimethylbenzene          | 1,4-диметилбензол           |
A  8 63  -     -     BA | 1,3-Dimethylbenzene          | 1,3-диметилбензол           |
A  8 65  -     -     BA | 1,2-Dimethylbenzene          | 1,2-диметилбензол           |
# ---- C9 aromatics ----------------------------------------------------------
A  9 69  0.080 0.450 A9 | Isopropylbenzene; Cumene     | изопропилбензол; кумол      |
A  9 69  0.250 1.900 A9 | n-Propylbenzene              | н-пропилбензол              |
A  9 69  0.450 3.900 A9 | 1-Methyl-3-ethylbenzene; m-Ethyltoluene | 1-метил-3-этилбензол; м-этилтолуол |
A  9 69  0.200 1.750 A9 | 1-Methyl-4-ethylbenzene; p-Ethyltoluene | 1-метил-4-этилбензол; п-этилтолуол |
A  9 69  0.180 1.250 A9 | 1-Methyl-2-ethylbenzene; o-Ethyltoluene | 1-метил-2-этилбензол; о-этилтолуол |
A  9 69  0.250 1.900 A9 | 1,3,5-Trimethylbenzene; Mesitylene | 1,3,5-триметилбензол; мезитилен |
A  9 69  0.650 6.000 A9 | 1,2,4-Trimethylbenzene; Pseudocumene | 1,2,4-триметилбензол; псевдокумол |
A  9 69  0.120 1.250 A9 | 1,2,3-Trimethylbenzene; Hemimellitene | 1,2,3-триметилбензол; гемимеллитол |
A  9 69  0.060 0.550 A9 | Indane; Indan                | индан                       |
A  9 69  -     0.030 A9 | Indene                       | инден                       |
# ---- C10 aromatics ---------------------------------------------------------
A 10 69  -     0.010 A9 | tert-Butylbenzene            | трет-бутилбензол            |
A 10 69  0.020 0.120 A9 | Isobutylbenzene              | изобутилбензол              |
A 10 69  0.020 0.100 A9 | sec-Butylbenzene             | втор-бутилбензол            |
A 10 69  0.030 0.120 A9 | 1-Methyl-3-isopropylbenzene; m-Cymene | 1-метил-3-изопропилбензол; м-цимол |
A 10 69  0.030 0.080 A9 | 1-Methyl-4-isopropylbenzene; p-Cymene | 1-метил-4-изопропилбензол; п-цимол |
A 10 69  -     0.020 A9 | 1-Methyl-2-isopropylbenzene; o-Cymene | 1-метил-2-изопропилбензол; о-цимол |
A 10 69  0.050 0.300 A9 | 1,3-Diethylbenzene           | 1,3-диэтилбензол            |
A 10 69  0.080 0.550 A9 | 1-Methyl-3-n-propylbenzene   | 1-метил-3-пропилбензол      |
A 10 69  0.040 0.250 A9 | 1-Methyl-4-n-propylbenzene   | 1-метил-4-пропилбензол      |
A 10 69  0.030 0.180 A9 | n-Butylbenzene               | н-бутилбензол               |
A 10 69  0.010 0.080 A9 | 1,2-Diethylbenzene           | 1,2-диэтилбензол            |
A 10 69  0.030 0.220 A9 | 1,4-Diethylbenzene           | 1,4-диэтилбензол            |
A 10 69  0.020 0.140 A9 | 1-Methyl-2-n-propylbenzene   | 1-метил-2-пропилбензол      |
A 10 69  0.050 0.380 A9 | 1,4-Dimethyl-2-ethylbenzene  | 1,4-диметил-2-этилбензол    |
A 10 69  0.040 0.350 A9 | 1,3-Dimethyl-4-ethylbenzene  | 1,3-диметил-4-этилбензол    |
A 10 69  0.060 0.450 A9 | 1,3-Dimethyl-5-ethylbenzene  | 1,3-диметил-5-этилбензол    |
A 10 69  0.050 0.550 A9 | 1,2-Dimethyl-4-ethylbenzene  | 1,2-диметил-4-этилбензол    |
A 10 69  0.010 0.060 A9 | 1,3-Dimethyl-2-ethylbenzene  | 1,3-диметил-2-этилбензол    |
A 10 69  0.010 0.100 A9 | 1,2-Dimethyl-3-ethylbenzene  | 1,2-диметил-3-этилбензол    |
A 10 69  0.030 0.300 A9 | 1,2,4,5-Tetramethylbenzene; Durene | 1,2,4,5-тетраметилбензол; дурол |
A 10 69  0.030 0.400 A9 | 1,2,3,5-Tetramethylbenzene; Isodurene | 1,2,3,5-тетраметилбензол; изодурол |
A 10 69  0.010 0.150 A9 | 1,2,3,4-Tetramethylbenzene; Prehnitene | 1,2,3,4-тетраметилбензол; пренитол |
A 10 69  -     0.120 A9 | 1-Methylindane               | 1-метилиндан                |
A 10 69  0.010 0.100 A9 | 2-Methylindane               | 2-метилиндан                |
A 10 69  -     0.080 A9 | 4-Methylindane               | 4-метилиндан                |
A 10 69  -     0.120 A9 | 5-Methylindane               | 5-метилиндан                |
A 10 69  0.020 0.080 A9 | 1,2,3,4-Tetrahydronaphthalene; Tetralin | 1,2,3,4-тетрагидронафталин; тетралин |
A 10 69  0.030 0.450 A9 | Naphthalene                  | нафталин                    |
# ---- C11-C13 aromatics -----------------------------------------------------
A 11 69  0.020 0.300 A9 | 2-Methylnaphthalene          | 2-метилнафталин             |
A 11 69  0.010 0.150 A9 | 1-Methylnaphthalene          | 1-метилнафталин             |
A 11 69  -     0.030 A9 | n-Pentylbenzene              | н-пентилбензол              |
A 11 69  -     0.030 A9 | Pentamethylbenzene           | пентаметилбензол            |
A 11 69  0.005 0.050 A9 | 1-Methyl-3,5-diethylbenzene  | 1-метил-3,5-диэтилбензол    |
A 11 69  0.005 0.040 A9 | 1,2,4-Trimethyl-5-ethylbenzene | 1,2,4-триметил-5-этилбензол |
A 11 69  -     0.030 A9 | 1,2-Dimethyl-4-n-propylbenzene | 1,2-диметил-4-пропилбензол |
A 11 69  -     0.040 A9 | 4,7-Dimethylindane           | 4,7-диметилиндан            |
A 11 69  -     0.030 A9 | 2-Methyltetralin             | 2-метилтетралин             |
A 12 69  -     0.040 A9 | 2,6-Dimethylnaphthalene      | 2,6-диметилнафталин         |
A 12 69  -     0.030 A9 | 1,3-Dimethylnaphthalene      | 1,3-диметилнафталин         |
A 12 69  -     0.020 A9 | 1,7-Dimethylnaphthalene      | 1,7-диметилнафталин         |
A 12 69  -     0.020 A9 | 2,3-Dimethylnaphthalene      | 2,3-диметилнафталин         |
A 12 69  -     0.020 A9 | 2-Ethylnaphthalene           | 2-этилнафталин              |
A 12 69  -     0.010 A9 | 1-Ethylnaphthalene           | 1-этилнафталин              |
A 12 69  -     0.020 A9 | Biphenyl                     | дифенил; бифенил            |
A 12 69  -     0.010 A9 | n-Hexylbenzene               | н-гексилбензол              |
A 12 69  -     0.008 A9 | 1,3,5-Triethylbenzene        | 1,3,5-триэтилбензол         |
A 12 69  -     -     A9 | Hexamethylbenzene            | гексаметилбензол            |
A 12 69  -     -     A9 | Acenaphthene                 | аценафтен                   |
A 13 69  -     0.010 A9 | 2,3,6-Trimethylnaphthalene   | 2,3,6-триметилнафталин      |
A 13 69  -     0.006 A9 | 1,3,7-Trimethylnaphthalene   | 1,3,7-триметилнафталин      |
A 13 69  -     0.005 A9 | 2-Isopropylnaphthalene       | 2-изопропилнафталин         |
A 13 69  -     0.005 A9 | Fluorene                     | флуорен                     |
A 13 69  -     -     A9 | n-Heptylbenzene              | н-гептилбензол              |
"""

import os
import sys
from datetime import date

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from builtin_table import BUILTIN_NAMES, BUILTIN_ROWS, GROUPS, LUMPS, pad  # noqa: E402


GROUP_CODES = {"P": 1, "I": 2, "N5": 3, "N6": 4, "A": 5}


class Substance:
    def __init__(self, group, carbon, line, feed, reformate, rule, english, russian, note):
        self.group = group
        self.carbon = carbon
        self.line = line
        self.feed = feed
        self.reformate = reformate
        self.rule = rule
        self.english = english
        self.russian = russian
        self.note = note

    def __repr__(self):
        return f"Substance({self.english[0] if self.english else self.russian[0]!r})"


def _value(text):
    return None if text == "-" else float(text)


def load():
    result = []
    for raw in TABLE.splitlines():
        if not raw.strip() or raw.lstrip().startswith("#"):
            continue
        fields = [f.strip() for f in raw.split("|")]
        if len(fields) != 4:
            raise ValueError(f"bad table row: {raw!r}")
        head, english, russian, note = fields
        parts = head.split()
        if len(parts) != 6:
            raise ValueError(f"bad table row head: {raw!r}")
        group = GROUP_CODES[parts[0]]
        names_en = [n.strip() for n in english.split(";") if n.strip()]
        names_ru = [n.strip() for n in russian.split(";") if n.strip()]
        result.append(Substance(group, int(parts[1]), int(parts[2]), _value(parts[3]),
                                _value(parts[4]), parts[5], names_en, names_ru, note))
    return result


SUBSTANCES = load()


REPO = os.path.abspath(os.path.join(HERE, "..", ".."))
BASA = os.path.join(REPO, "data", "bin", "sk", "Basa")
SAMPLE = os.path.join(REPO, "data", "bin", "sk", "Hornel", "01-09-09")

CRLF = b"\r\n"
CARBONS = range(3, 14)
TRANS_866 = "ТРАНС".encode("cp866")
T_866 = "Т".encode("cp866")


def write_lines(path, lines):
    """Writes byte lines, each ended by CR LF (an empty list gives an empty file)."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(b"".join(line + CRLF for line in lines))


def english_bytes(name):
    raw = name.encode("ascii")
    if len(raw) > 35:
        raise ValueError(f"English name longer than the report's 35-character column: {name}")
    return raw


def russian_bytes(name):
    """The name as it reaches a component list through the Russian table report."""
    raw = name.encode("cp866")
    if len(raw) > 43:
        while TRANS_866 in raw:
            raw = raw.replace(TRANS_866, T_866, 1)
        raw = raw[:43]
    # Column 43 of a list line must stay blank, so a usable name has at most 42 bytes.
    if len(raw) > 42:
        raise ValueError(f"Russian name does not fit the 42-byte name field: {name}")
    return raw


# ---------------------------------------------------------------------------
# Group files

def group_file_entries():
    """(group, carbon) -> list of (model component, 42-byte name), in table order."""
    files = {(g, c): [] for g in GROUPS for c in CARBONS}
    for s in SUBSTANCES:
        for name in s.english:
            raw = pad(english_bytes(name))
            if raw in BUILTIN_NAMES:
                line, group, carbon = BUILTIN_NAMES[raw]
                if line != s.line or (group and (group, carbon) != (s.group, s.carbon)):
                    raise ValueError(f"{name}: table row disagrees with the built-in row")
                continue  # the program finds it before any file
            files[(s.group, s.carbon)].append((s.line, raw))
        for name in s.russian:
            files[(s.group, s.carbon)].append((s.line, pad(russian_bytes(name))))
    return files


def write_group_files(files):
    for (group, carbon), entries in files.items():
        prefix = GROUPS[group][0]
        lines = [str(line).encode("ascii") + b" " + name for line, name in entries]
        write_lines(os.path.join(BASA, f"{prefix}{carbon}"), lines)


# ---------------------------------------------------------------------------
# Candidate files

LINE_TEXT = {
    1: "Этан (и легкие газы С1-С2)",
    2: "Пропан",
    3: "изо-Бутан",
    4: "н-Бутан",
    5: "изо-Пентан",
    6: "н-Пентан",
    7: "2,2-Диметилбутан (2,2-ДМБ)",
    8: "Циклопентан",
    9: "2,3-Диметилбутан (2,3-ДМБ)",
    10: "2-Метилпентан (2-МП)",
    11: "3-Метилпентан (3-МП)",
    12: "н-Гексан",
    13: "Метилциклопентан (МЦП)",
    14: "2,2-Диметилпентан (2,2-ДМП)",
    15: "2,4-Диметилпентан (2,4-ДМП)",
    16: "Бензол",
    17: "2,2,3-Триметилбутан (2,2,3-ТМБ)",
    18: "3,3-Диметилпентан (3,3-ДМП)",
    19: "Циклогексан",
    20: "2-Метилгексан (2-МГ)",
    21: "2,3-Диметилпентан (2,3-ДМП)",
    22: "3-Метилгексан (3-МГ)",
    23: "1,3-Диметилциклопентан цис (1,3-ДМЦП(ц))",
    24: "1,3-Диметилциклопентан транс (1,3-ДМЦП(т))",
    25: "1,2-Диметилциклопентан транс (1,2-ДМЦП(т))",
    26: "н-Гептан",
    27: "1,2-Диметилциклопентан цис (1,2-ДМЦП)",
    28: "2,2-Диметилгексан (2,2-ДМГ)",
    29: "1,1,3-Триметилциклопентан (1,1,3-ТМЦП)",
    30: "Метилциклогексан (МЦГ)",
    31: "2,5-Диметилгексан (2,5-ДМГ)",
    32: "2,4-Диметилгексан (2,4-ДМГ)",
    33: "Этилциклопентан (ЭЦП)",
    34: "2,2,3-Триметилпентан (2,2,3-ТМП)",
    35: "1,2,4-Триметилциклопентан (1,2,4-ТМЦП)",
    36: "3,3-Диметилгексан (3,3-ДМГ)",
    37: "Толуол",
    38: "1,2,3-Триметилциклопентан (1,2,3-ТМЦП)",
    39: "2,3,4-Триметилпентан (2,3,4-ТМП)",
    40: "2,3-Диметилгексан (2,3-ДМГ)",
    41: "2-Метил-3-этилпентан (2-М,3-ЭП)",
    42: "1,1,2-Триметилциклопентан (1,1,2-ТМЦП)",
    43: "2-Метилгептан (2-МГП)",
    44: "4-Метилгептан (4-МГП)",
    45: "3,4-Диметилгексан (3,4-ДМГ)",
    46: "3-Метилгептан (3-МГП)",
    47: "Прочие нафтены до С8 (нафт. до С8)",
    48: "н-Октан",
    49: "1,2-Диметилциклогексан (1,2-ДМЦГ(т))",
    50: "1,3-Диметилциклогексан (1,3-ДМЦГ(т))",
    51: "2,3,5-Триметилгексан (2,3,5-ТМГ)",
    52: "2,2-Диметилгептан (2,2-ДМГП)",
    53: "2,4-Диметилгептан (2,4-ДМГП)",
    54: "2,2,3-Триметилгексан (2,2,3-ТМГ)",
    55: "2-Метил-4-этилгексан (2-М,4-ЭГ)",
    56: "2,6-Диметилгептан (2,6-ДМГП)",
    57: "2,5-Диметилгептан (2,5-ДМГП)",
    58: "3,3-Диметилгептан (3,3-ДМГП)",
    59: "Этилциклогексан/Этилбензол (ЭЦГ+ЭБензол)",
    60: "Триметилциклопентан (ТМЦП)",
    61: "2,3,4-Триметилгексан (2,3,4-ТМГ)",
    62: "п-Ксилол",
    63: "м-Ксилол",
    64: "Прочие изопарафины С9 (изо-С9)",
    65: "о-Ксилол",
    66: "Нафтены С9 (нафт. до С9)",
    67: "н-Нонан",
    68: "Неароматические С10 и выше (С9+)",
    69: "Ароматические С9 и выше (в т.ч. Ар)",
}
assert sorted(LINE_TEXT) == list(range(1, 70))

# Cells no substance can really occupy (an isoparaffin of three carbons, a
# naphthene ring of three or four, ...) still get a candidate file, because the
# resolution dialog offers whatever carbon number the user typed: there the
# lightest line of the group is offered.
FALLBACK_CANDIDATES = {
    (2, 3): [2, 3],
    (3, 3): [8, 47], (3, 4): [8, 47],
    (4, 3): [19, 47], (4, 4): [19, 47], (4, 5): [19, 47],
    (5, 3): [16], (5, 4): [16], (5, 5): [16],
}


def lump_for(group, carbon):
    """The lump a substance of this cell without a line of its own belongs to."""
    if group in (3, 4) and carbon <= 8:
        return 47
    if group == 2 and carbon == 9:
        return 64
    if group in (3, 4) and carbon == 9:
        return 66
    if group in (1, 2, 3, 4) and carbon >= 10:
        return 68
    if group == 5 and carbon >= 9:
        return 69
    return None


def candidate_lines(group, carbon, files):
    if (group, carbon) in FALLBACK_CANDIDATES:
        return FALLBACK_CANDIDATES[(group, carbon)]
    lines = {c for n, c, g, k in BUILTIN_ROWS if (g, k) == (group, carbon)}
    lines |= {line for line, _ in files[(group, carbon)]}
    lump = lump_for(group, carbon)
    if lump:
        lines.add(lump)
    return sorted(lines)


def write_candidate_files(files):
    for group in GROUPS:
        prefix = GROUPS[group][1]
        for carbon in CARBONS:
            lines = [f"{line} {LINE_TEXT[line]}".encode("cp1251")
                     for line in candidate_lines(group, carbon, files)]
            write_lines(os.path.join(BASA, f"{prefix}{carbon}"), lines)


# ---------------------------------------------------------------------------
# Ignore list, templates, trafaret

# Peaks a report prints without an identification: nobody can say where they
# belong, so they are skipped rather than asked about at every formation.
IGNORED_ENGLISH = ["Unknown", "Unknowns", "Unidentified", "Unidentified peak", "Unknown C9+"]
IGNORED_RUSSIAN = ["неидентифицированные", "неидентифицированный пик", "неизвестный",
                   "неизвестные С9+"]


def write_nlo():
    lines = [pad(english_bytes(n)) for n in IGNORED_ENGLISH]
    lines += [pad(russian_bytes(n)) for n in IGNORED_RUSSIAN]
    write_lines(os.path.join(BASA, "nlo"), lines)


def elution_key(s, index):
    """Approximate chromatographic order: the composition-file order of the
    lines is close to the elution order on a non-polar column; substances of a
    lump follow the heaviest line of their carbon number."""
    if s.line not in LUMPS and s.line != 1:
        return (s.line, index)
    if s.line == 1:
        return (0.5 if s.english[0] == "Methane" else 1, index)
    if s.line == 47:
        return ({5: 8.5, 6: 13.5, 7: 33.5, 8: 59.5}.get(s.carbon, 47), index)
    if s.line in (64, 66):
        return (s.line, index)
    return (67 + s.carbon / 100.0 + (0.001 if s.line == 69 else 0.0), index)


ORDERED = [s for _, s in sorted(((elution_key(s, i), s) for i, s in enumerate(SUBSTANCES)),
                                key=lambda t: t[0])]

# Plant indexes 10 and 12 (files shablon.11, shablon.13) receive the Russian
# table report (their open dialog offers it first), so their templates carry
# the Russian names; the others, Hornel included, get the English DHA names.
RUSSIAN_TEMPLATES = {11, 13}


def write_templates():
    # The substances a plant reports besides the built-in ones: the most
    # abundant first (feed and reformate together).
    extras = sorted((s for s in SUBSTANCES if s.rule not in ("B", "BA") and (s.feed or s.reformate)),
                    key=lambda s: -((s.feed or 0) + (s.reformate or 0)))
    for n in range(1, 18):
        count = 8 + (n * 11) % 45          # 8 .. 52 further substances, plant by plant
        chosen = {id(s) for s in extras[:count]}
        lines = []
        for s in ORDERED:
            if s.rule == "BA" or s.english[0] == "Methane":
                continue
            if s.rule in ("B",) or id(s) in chosen:
                if n in RUSSIAN_TEMPLATES:
                    lines.append(pad(russian_bytes(s.russian[0])))
                else:
                    lines.append(pad(english_bytes(s.english[0])))
        write_lines(os.path.join(BASA, f"shablon.{n}"), lines)


GROUP_CAPTION = {1: "н-Парафины", 2: "и-Парафины", 3: "Нафтены-5", 4: "Нафтены-6", 5: "Ароматика"}


def write_trafaret():
    # One heading and the 55 cells of the group-by-carbon-number tables.
    lines = ["Группа        C   Файл      Кандидаты"]
    for group in GROUPS:
        for carbon in CARBONS:
            gp, cp, _ = GROUPS[group]
            lines.append(f"{GROUP_CAPTION[group]:<12}{carbon:>3}   {gp + str(carbon):<10}{cp + str(carbon)}")
    assert len(lines) == 56
    write_lines(os.path.join(BASA, "trafaret"), [l.encode("cp1251") for l in lines])


# ---------------------------------------------------------------------------
# Hornel sample of 01-09-09

def fixed(value, width, decimals):
    return f"{value:.{decimals}f}".rjust(width)


def e23(value):
    """Sign position, one digit, point, 14 digits, E, exponent sign, 4 digits."""
    mantissa, exponent = f"{abs(value):.14E}".split("E")
    text = f"{mantissa}E{exponent[0]}{int(exponent[1:]):04d}"
    return ("-" if value < 0 else " ") + text


SAMPLING = date(2009, 9, 1)
REGENERATION = date(2008, 4, 14)
FEED_FLOW = 65.0                       # m3/h, 450 kt/y unit at about 85 % of design
PRESSURES = [29.5, 28.6, 27.8, 27.0]    # atm, Р-202 .. Р-205
INLET_T = [492.0, 495.0, 497.0, 499.0]  # C
DROPS = [68.0, 37.0, 18.0, 8.0]         # C, endothermic, falling along the train
GAS = [81.20, 6.85, 5.10, 3.55, 1.15, 0.95, 0.45, 0.45, 0.30]  # H2, C1, C2, C3, n-C4, i-C4, n-C5, i-C5, C6
GAS_FLOW = 78000.0                      # m3/h of circulating gas, 1200 m3 per m3 of feed
DOSING = [1.00, 0.80, 0.60]             # ppm dichloroethane, Р-202 .. Р-204
ACTIVITY = 0.95
MOISTURE = 0.01                         # % in the circulating gas
SULPHUR = 0.50                          # ppm in the hydrogenate


def processed_feed():
    # Tonnes since the regeneration, as the historian import computes it.
    days = (SAMPLING - REGENERATION).days
    return round(FEED_FLOW * days * 24 * 0.745, 1)


def dan_lines():
    labels = [
        (5, "Подача дихлорэтана по реакторам (Р-202, Р-203, Р-204), ррм."),
        (5, "Активность катализатора (условная еденица)"),
        (5, "Давление по реакторам (Р-202, Р-203, Р-204, Р-205), атм."),
        (5, "Влажность ВСГ, %"),
        (5, "Температура входная по реакторам (Р-202, Р-203, Р-204, Р-205), град. С"),
        (7, "Перепады температур по реакторам (Р-202, Р-203, Р-204, Р-205), град. С"),
        (9, "Состав ВСГ (H2, C1, C2, C3, n-C4, i-C4, n-C5, i-C5, C6), %"),
        (7, "Расход ВСГ, м3/час"),
        (7, "Дней после регенерации"),
        (7, "Сера в гидрогенизате"),
        (7, "Расход сырья, м3/час"),
        (7, "Дата отбора"),
        (7, "Дата регенерации катализатора"),
    ]
    values = [
        "".join(fixed(v, 6, 2) for v in DOSING),
        fixed(ACTIVITY, 6, 2),
        " ".join(fixed(v, 6, 2) for v in PRESSURES),
        fixed(MOISTURE, 6, 2),
        " ".join(fixed(v, 6, 2) for v in INLET_T),
        " ".join(fixed(v, 6, 2) for v in DROPS),
        " ".join(fixed(v, 6, 5) for v in GAS),
        fixed(GAS_FLOW, 6, 2),
        fixed(processed_feed(), 6, 2),
        fixed(SULPHUR, 6, 2),
        fixed(FEED_FLOW, 6, 2),
        SAMPLING.strftime("%d.%m.%y"),
        REGENERATION.strftime("%d.%m.%y"),
    ]
    lines = [v + " " * blanks + label for v, (blanks, label) in zip(values, labels)]
    # The fifth column of the form (the last reactor) and the third reactor again.
    lines.append(" ".join(e23(v) for v in (PRESSURES[3], INLET_T[3], DROPS[3])))
    lines.append(" ".join(fixed(v, 6, 2) for v in (PRESSURES[2], INLET_T[2], DROPS[2])))
    return [l.encode("cp866") for l in lines]


def normalise(pairs):
    """Scales (name, value) pairs to 100 in thousandths; every value stays >= 0.001."""
    total = sum(v for _, v in pairs)
    milli = [max(1, round(v * 100000 / total)) for _, v in pairs]
    biggest = max(range(len(milli)), key=lambda i: milli[i])
    milli[biggest] += 100000 - sum(milli)
    return [(name, m) for (name, _), m in zip(pairs, milli)]


def list_lines(pairs):
    lines = []
    for name, milli in pairs:
        value = f"{milli // 1000:02d}.{milli % 1000:03d}"
        assert len(value) == 6
        lines.append(english_bytes(name).ljust(43, b" ") + value.encode("ascii"))
    return lines


def write_sample():
    write_lines(os.path.join(SAMPLE, "01-09-09.dan"), dan_lines())
    feed = [(s.english[0], s.feed) for s in ORDERED if s.feed]
    reformate = [(s.english[0], s.reformate) for s in ORDERED if s.reformate]
    write_lines(os.path.join(SAMPLE, "01-09-09.SIR"), list_lines(normalise(feed)))
    write_lines(os.path.join(SAMPLE, "01-09-09.KAT"), list_lines(normalise(reformate)))


def main():
    files = group_file_entries()
    write_group_files(files)
    write_candidate_files(files)
    write_nlo()
    write_templates()
    write_trafaret()
    write_sample()
    import check_data
    return check_data.main([])


if __name__ == "__main__":
    sys.exit(main())
