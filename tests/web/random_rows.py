"""Seeded random calculator inputs of every length and form, for comparing front ends.

A row is (mode, amount, rate) with mode "inclusive" or "exclusive". Amounts and rates come as
the keyboard brings them and as only pasting does: plain and grouped numbers, exponents with E
or D in either case, several points, signs, blanks, letters and other scripts' characters,
huge and tiny values, texts near the longest a field takes, and the inputs that end a
recalculation with each of its errors. No text holds a tab, a carriage return or a line feed,
which separate the command-line calculator's batch rows.
"""

import random

MODES = ("inclusive", "exclusive")

# Characters that are not part of any number form Val or FormatForDisplay read.
_STRAY = ["a", "x", "E", "D", "e", "d", "€", "$", "%", "(", ")", "'", "_", "/", "½", "٣", "１",
          "\u00a0", "\u2009", "é", "😀", "<", ">", "&", "\"", "\\"]


def _digits(rng, low, high):
    count = rng.randint(low, high)
    return "".join(rng.choice("0123456789") for _ in range(count))


def _grouped(rng):
    head = str(rng.randint(1, 999))
    groups = [_digits(rng, 3, 3) for _ in range(rng.randint(1, 5))]
    text = head + "," + ",".join(groups)
    if rng.random() < 0.5:
        text += "." + _digits(rng, 1, 4)
    return text


def _decimal(rng):
    shape = rng.randrange(6)
    if shape == 0:
        return _digits(rng, 1, 8)
    if shape == 1:
        return _digits(rng, 1, 6) + "." + _digits(rng, 1, 6)
    if shape == 2:
        return "." + _digits(rng, 1, 6)
    if shape == 3:
        return _digits(rng, 1, 6) + "."
    if shape == 4:
        return "0" * rng.randint(1, 4) + _digits(rng, 1, 5)
    return _digits(rng, 1, 3) + "." + _digits(rng, 0, 3) + "5"  # halves to round


def _exponent(rng):
    mantissa = _decimal(rng)
    letter = rng.choice("EeDd")
    sign = rng.choice(["", "+", "-"])
    magnitude = rng.choice([_digits(rng, 1, 2), _digits(rng, 3, 3), str(rng.randint(290, 330)),
                            _digits(rng, 0, 0)])
    return mantissa + letter + sign + magnitude


def _huge_or_tiny(rng):
    shape = rng.randrange(5)
    if shape == 0:
        return "9" * rng.randint(15, 330)
    if shape == 1:
        return "0." + "0" * rng.randint(5, 340) + _digits(rng, 1, 5)
    if shape == 2:
        return rng.choice(["1", "9.99", "1.7976931348623157", "2.2250738585072014"]) + \
            rng.choice(["E", "e", "D"]) + rng.choice(["308", "307", "309", "-308", "-324", "-330"])
    if shape == 3:
        return _digits(rng, 1, 3) + "0" * rng.randint(12, 25)
    return "1" + "0" * rng.randint(14, 22) + "." + _digits(rng, 0, 5)


def _several_points(rng):
    return ".".join(_digits(rng, 0, 4) for _ in range(rng.randint(3, 5)))


def _with_blanks(rng, text):
    chars = list(text)
    for _ in range(rng.randint(1, 4)):
        chars.insert(rng.randint(0, len(chars)), " ")
    return "".join(chars)


def _with_stray(rng, text):
    chars = list(text)
    for _ in range(rng.randint(1, 3)):
        chars.insert(rng.randint(0, len(chars)), rng.choice(_STRAY))
    return "".join(chars)


def _signed(rng, text):
    return rng.choice(["-", "+", "--", "+-", "- ", " -"]) + text


def _long(rng):
    length = rng.choice([rng.randint(400, 420), rng.randint(990, 1000)])
    if rng.random() < 0.5:
        return _digits(rng, length, length)
    return "1" + "," * (length - 2) + "5"


def _number_text(rng):
    """A text for the amount or the rate field."""
    kind = rng.random()
    if kind < 0.30:
        return _decimal(rng)
    if kind < 0.38:
        return _grouped(rng)
    if kind < 0.48:
        return _exponent(rng)
    if kind < 0.54:
        return _huge_or_tiny(rng)
    if kind < 0.59:
        return _several_points(rng)
    if kind < 0.66:
        return _signed(rng, _decimal(rng))
    if kind < 0.72:
        return _with_blanks(rng, _decimal(rng))
    if kind < 0.80:
        return _with_stray(rng, _decimal(rng))
    if kind < 0.83:
        return _long(rng)
    if kind < 0.87:
        return ""
    if kind < 0.90:
        return rng.choice([".", ",", "-", "+", " ", "E5", "D", "-.", "0", "-0", "0.0", "abc"])
    return rng.choice(["", "0", "5", "15", "17.5", "20", "21", "100", "-100", "1,000", "99.99"])


def _rate_text(rng):
    kind = rng.random()
    if kind < 0.45:
        return rng.choice(["0", "5", "7", "15", "17.5", "19", "20", "21", "25", "8.1", "12.5"])
    if kind < 0.52:
        return rng.choice(["-100", "-100.0", "-1E2", "-1d2", " - 100", "-100,5",
                           "-99.9999999999999"])
    return _number_text(rng)


def _error_row(rng):
    """A row that ends its recalculation early, with each of the errors."""
    kind = rng.randrange(4)
    if kind == 0:  # Division by zero
        return "inclusive", _decimal(rng), rng.choice(["-100", "-1E2", "-100."])
    if kind == 1:  # Invalid operation: 0/0
        return "inclusive", rng.choice(["", "0", "abc", "0.000", "-0"]), "-100"
    if kind == 2:  # Overflow
        return rng.choice(MODES), rng.choice(["1E308", "9" * 320, "1.7976931348623157E308"]), \
            rng.choice(["17.5", "200", "1E300"])
    # Type mismatch: the total is not a number by FormatForDisplay's reading
    return "inclusive", rng.choice(["", ".", "1.2.3", "12abc", "1,,0", "5-", "1e"]), \
        rng.choice(["0", "17.5", "20"])


def random_rows(count, seed):
    """`count` rows from the seed; the same seed gives the same rows."""
    rng = random.Random(seed)
    rows = []
    for _ in range(count):
        if rng.random() < 0.06:
            rows.append(_error_row(rng))
        else:
            rows.append((rng.choice(MODES), _number_text(rng), _rate_text(rng)))
    for row in rows:
        for text in row:
            assert not any(c in text for c in "\t\r\n"), row
    return rows
