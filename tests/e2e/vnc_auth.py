"""The answer of a VNC client to the server's challenge: the challenge
encrypted with DES, keyed by the password with the bits of each byte reversed.
Python's library has no DES, and 16 bytes need no speed, so this is the cipher
straight from its tables."""

_PC1 = [57, 49, 41, 33, 25, 17, 9, 1, 58, 50, 42, 34, 26, 18, 10, 2, 59, 51, 43, 35, 27, 19, 11, 3,
        60, 52, 44, 36, 63, 55, 47, 39, 31, 23, 15, 7, 62, 54, 46, 38, 30, 22, 14, 6, 61, 53, 45, 37,
        29, 21, 13, 5, 28, 20, 12, 4]
_PC2 = [14, 17, 11, 24, 1, 5, 3, 28, 15, 6, 21, 10, 23, 19, 12, 4, 26, 8, 16, 7, 27, 20, 13, 2,
        41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32]
_SHIFTS = [1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1]
_IP = [58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4, 62, 54, 46, 38, 30, 22, 14, 6,
       64, 56, 48, 40, 32, 24, 16, 8, 57, 49, 41, 33, 25, 17, 9, 1, 59, 51, 43, 35, 27, 19, 11, 3,
       61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7]
_FP = [_IP.index(i) + 1 for i in range(1, 65)]
_E = [32, 1, 2, 3, 4, 5, 4, 5, 6, 7, 8, 9, 8, 9, 10, 11, 12, 13, 12, 13, 14, 15, 16, 17,
      16, 17, 18, 19, 20, 21, 20, 21, 22, 23, 24, 25, 24, 25, 26, 27, 28, 29, 28, 29, 30, 31, 32, 1]
_P = [16, 7, 20, 21, 29, 12, 28, 17, 1, 15, 23, 26, 5, 18, 31, 10, 2, 8, 24, 14, 32, 27, 3, 9,
      19, 13, 30, 6, 22, 11, 4, 25]
_S = [bytes.fromhex(box) for box in (
    "e4d12fb83a6c5907" "0f74e2d1a6cb9538" "41e8d62bfc973a50" "fc8249175b3ea06d",
    "f18e6b34972dc05a" "3d47f28ec01a69b5" "0e7ba4d158c6932f" "d8a13f42b67c05e9",
    "a09e63f51dc7b428" "d709346a285ecbf1" "d6498f30b12c5ae7" "1ad069874fe3b52c",
    "7de3069a1285bc4f" "d8b56f03472c1ae9" "a690cb7df13e5284" "3f06a1d8945bc72e",
    "2c417ab6853fd0e9" "eb2c47d150fa3986" "421bad78f9c5630e" "b8c71e2d6f09a453",
    "c1af92680d34e75b" "af427c9561de0b38" "9ef528c3704a1db6" "432c95fabe17608d",
    "4b2ef08d3c975a61" "d0b7491ae35c2f86" "14bdc37eaf680592" "6bd814a7950fe23c",
    "d2846fb1a93e50c7" "1fd8a374c56b0e92" "7b419ce206adf358" "21e74a8dfc90356b")]


def _permute(block, table, width):
    out = 0
    for position in table:
        out = (out << 1) | ((block >> (width - position)) & 1)
    return out


def _subkeys(key):
    bits = _permute(int.from_bytes(key, "big"), _PC1, 64)
    c, d = bits >> 28, bits & 0xFFFFFFF
    for shift in _SHIFTS:
        c = ((c << shift) | (c >> (28 - shift))) & 0xFFFFFFF
        d = ((d << shift) | (d >> (28 - shift))) & 0xFFFFFFF
        yield _permute((c << 28) | d, _PC2, 56)


def _feistel(half, subkey):
    x = _permute(half, _E, 32) ^ subkey
    out = 0
    for i in range(8):
        six = (x >> (42 - 6 * i)) & 0x3F
        row, column = ((six >> 4) & 2) | (six & 1), (six >> 1) & 0xF
        nibbles = _S[i][(row * 16 + column) // 2]
        out = (out << 4) | (nibbles >> 4 if column % 2 == 0 else nibbles & 0xF)
    return _permute(out, _P, 32)


def des_encrypt(key, block):
    """One 8-byte block encrypted with an 8-byte key."""
    bits = _permute(int.from_bytes(block, "big"), _IP, 64)
    left, right = bits >> 32, bits & 0xFFFFFFFF
    for subkey in _subkeys(key):
        left, right = right, left ^ _feistel(right, subkey)
    return _permute((right << 32) | left, _FP, 64).to_bytes(8, "big")


def vnc_response(password, challenge):
    """The 16 bytes a client sends back for the server's 16-byte challenge."""
    key = bytes(int(f"{b:08b}"[::-1], 2) for b in password.encode()[:8].ljust(8, b"\0"))
    return des_encrypt(key, challenge[:8]) + des_encrypt(key, challenge[8:])
