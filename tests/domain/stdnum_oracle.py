#!/usr/bin/python3
"""Independent verdicts for the identifier checks, from Debian's python3-stdnum.

Prints one line per generated code: KIND <TAB> CODE <TAB> STDNUM_VERDICT
<TAB> CHECKSUM_ONLY, where the verdicts are 1 or 0 and CHECKSUM_ONLY is
stdnum's control-digit test alone (used for the CNP, whose full stdnum rule
also checks the birth date). The seed is fixed so failures reproduce.
"""
import random
import string
import sys

from stdnum import iban
from stdnum.ro import cnp, cui

rng = random.Random(20090302)


def digits(count):
    return ''.join(rng.choice(string.digits) for _ in range(count))


def emit(kind, code, verdict, checksum_only):
    print(f'{kind}\t{code}\t{int(bool(verdict))}\t{int(bool(checksum_only))}')


def fiscal_codes():
    # 2..9 significant digits without a leading zero: stdnum refuses a
    # leading zero, so the padding we accept is added on the C++ side.
    for length in range(2, 10):
        for _ in range(300):
            body = rng.choice('123456789') + digits(length - 2)
            if rng.random() < 0.5:
                code = body + cui.calc_check_digit(body)
            else:
                code = body + rng.choice(string.digits)
            emit('cui', code, cui.is_valid(code), True)


def personal_codes():
    for _ in range(1500):
        # Plausible codes: known first digit, real birth date, county 01..52.
        first = rng.choice('123456789')
        year = rng.randint(0, 99)
        month = rng.randint(1, 12)
        day = rng.randint(1, 28)
        county = rng.randint(1, 52)
        body = f'{first}{year:02d}{month:02d}{day:02d}{county:02d}{digits(3)}'
        code = body + (cnp.calc_check_digit(body) if rng.random() < 0.6
                       else rng.choice(string.digits))
        emit('cnp', code, cnp.is_valid(code), cnp.calc_check_digit(code[:-1]) == code[-1])
    for _ in range(1500):
        # Arbitrary digits: many birth dates are impossible here.
        body = digits(12)
        code = body + (cnp.calc_check_digit(body) if rng.random() < 0.5
                       else rng.choice(string.digits))
        emit('cnp', code, cnp.is_valid(code), cnp.calc_check_digit(code[:-1]) == code[-1])


def bank_accounts():
    alphanumeric = string.ascii_uppercase + string.digits
    for _ in range(2000):
        bban = (''.join(rng.choice(string.ascii_uppercase) for _ in range(4)) +
                ''.join(rng.choice(alphanumeric) for _ in range(16)))
        code = 'RO' + iban.calc_check_digits('RO00' + bban) + bban
        roll = rng.random()
        if roll < 0.25:
            code = 'RO' + digits(2) + bban
        elif roll < 0.45:
            pos = rng.randrange(4, 24)
            code = code[:pos] + rng.choice(alphanumeric) + code[pos + 1:]
        elif roll < 0.55:
            pos = rng.randrange(4, 23)
            code = code[:pos] + code[pos + 1] + code[pos] + code[pos + 2:]
        elif roll < 0.65:
            code = code.lower()
        emit('iban', code, iban.is_valid(code), True)


def main():
    fiscal_codes()
    personal_codes()
    bank_accounts()
    sys.stdout.flush()


if __name__ == '__main__':
    main()
