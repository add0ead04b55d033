"""The 65 names the program knows without the database files.

Row order is the search order; each row is (name, model component, group,
carbon number). Ethane has no group cell (group 0, carbon 0). Kept in one
place so the generator and the checker agree with the program's own table.
"""

BUILTIN_ROWS = [
    ("Ethane", 1, 0, 0),
    ("Propane", 2, 1, 3),
    ("i-Butane", 3, 2, 4),
    ("n-Butane", 4, 1, 4),
    ("i-Pentane", 5, 2, 5),
    ("n-Pentane", 6, 1, 5),
    ("2,2-Dimethylbutane", 7, 2, 6),
    ("Cyclopentane", 8, 3, 5),
    ("2,3-Dimethylbutane", 9, 2, 6),
    ("2-Methylpentane", 10, 2, 6),
    ("3-Methylpentane", 11, 2, 6),
    ("n-Hexane", 12, 1, 6),
    ("Methylcyclopentane", 13, 3, 6),
    ("2,2-Dimethylpentane", 14, 2, 7),
    ("2,4-Dimethylpentane", 15, 2, 7),
    ("Benzene", 16, 5, 6),
    ("2,2,3-Trimethylbutane", 17, 2, 7),
    ("3,3-Dimethylpentane", 18, 2, 7),
    ("Cyclohexane", 19, 4, 6),
    ("2-Methylhexane", 20, 2, 7),
    ("2,3-Dimethylpentane", 21, 2, 7),
    ("3-Methylhexane", 22, 2, 7),
    ("1c,3-Dimethylcyclopentane", 23, 3, 7),
    ("1t,3-Dimethylcyclopentane", 24, 3, 7),
    ("1t,2-Dimethylcyclopentane", 25, 3, 7),
    ("n-Heptane", 26, 1, 7),
    ("1c,2-Dimethylcyclopentane", 27, 3, 7),
    ("2,2-Dimethylhexane", 28, 2, 8),
    ("1,1,3-Trimethylcyclopentane", 29, 3, 8),
    ("Methylcyclohexane", 30, 4, 7),
    ("2,5-Dimethylhexane", 31, 2, 8),
    ("2,4-Dimethylhexane", 32, 2, 8),
    ("Ethylcyclopentane", 33, 3, 7),
    ("2,2,3-Trimethylpentane", 34, 2, 8),
    ("1,2,4-Trimethylcyclopentane", 35, 3, 8),
    ("3,3-Dimethylhexane", 36, 2, 8),
    ("Toluene", 37, 5, 7),
    ("1,2,3-Trimethylcyclopentane", 38, 3, 8),
    ("2,3,4-Trimethylpentane", 39, 2, 8),
    ("2,3-Dimethylhexane", 40, 2, 8),
    ("2-Methyl-3-ethylpentane", 41, 2, 8),
    ("1,1,2-Trimethylcyclopentane", 42, 3, 8),
    ("2-Methylheptane", 43, 2, 8),
    ("4-Methylheptane", 44, 2, 8),
    ("3,4-Dimethylhexane", 45, 2, 8),
    ("3-Methylheptane", 46, 2, 8),
    ("n-Octane", 48, 1, 8),
    ("1t,2-Dimethylcyclohexane", 49, 4, 8),
    ("1t,3-Dimethylcyclohexane", 50, 4, 8),
    ("2,3,5-Trimethylhexane", 51, 2, 9),
    ("2,2-Dimethylheptane", 52, 2, 9),
    ("2,4-Dimethylheptane", 53, 2, 9),
    ("2,2,3-Trimethylhexane", 54, 2, 9),
    ("2-Methyl-4-ethylhexane", 55, 2, 9),
    ("2,6-Dimethylheptane", 56, 2, 9),
    ("2,5-Dimethylheptane", 57, 2, 9),
    ("3,3-Dimethylheptane", 58, 2, 9),
    ("Ethylcyclohexane", 59, 4, 8),
    ("Ethylbenzene", 59, 5, 8),
    ("Trimethylcyclopentane", 60, 3, 8),
    ("2,3,4-Trimethylhexane", 61, 2, 9),
    ("p-Xylene", 62, 5, 8),
    ("m-Xylene", 63, 5, 8),
    ("o-Xylene", 65, 5, 8),
    ("n-Nonane", 67, 1, 9),
]

assert len(BUILTIN_ROWS) == 65

NAME_LENGTH = 42


def pad(name: bytes) -> bytes:
    """The 42-byte name field: cut or padded with blanks on the right."""
    return name[:NAME_LENGTH].ljust(NAME_LENGTH, b" ")


BUILTIN_NAMES = {pad(n.encode("ascii")): (c, g, k) for n, c, g, k in BUILTIN_ROWS}

# Group number -> (group-file prefix, candidate-file prefix, first carbon number searched).
GROUPS = {
    1: ("par.", "pars.", 3),
    2: ("ipar.", "ipars.", 4),
    3: ("naf5.", "naf5s.", 5),
    4: ("naf6.", "naf6s.", 6),
    5: ("arom.", "aroms.", 6),
}

# The files the lookup reads, in its order: ipar.4-13, par.3-13, naf5.5-13,
# naf6.6-13, arom.6-13, which makes 10 + 11 + 9 + 8 + 8 = 46 files.
SEARCH_SEQUENCE = (
    [(2, c) for c in range(4, 14)]
    + [(1, c) for c in range(3, 14)]
    + [(3, c) for c in range(5, 14)]
    + [(4, c) for c in range(6, 14)]
    + [(5, c) for c in range(6, 14)]
)
assert len(SEARCH_SEQUENCE) == 46

LUMPS = (47, 64, 66, 68, 69)
