#include "catalogue/models.h"

const char* const g_driverDllNames[kModelCount] = {"TP58", "RP76", "TP80"};
const char* const g_gpdNames[kModelCount] = {"58Printer", "76Printer", "80Printer"};
const char* const g_printerNames[kModelCount] = {
    "58 Printer Series",
    "76 Printer Series",
    "80 Printer Series",
};

// Made with the encoder in tests/native/catalogue_test.cpp; each decodes to
// 17 bytes of code page 936 text.
const char* const g_displayNameCodes[kModelCount] = {
    "AKFEGVJFGQDWFUDZEOEXIXDVESABIVGHEX",  // POS-58 小票打印机
    "AKFEGVJFGSIBEYIZESGVBDDQHRCABXAUBR",  // POS-76 小票打印机
    "AKFEGVJFGFJFHEIZIPCBFAGZJQALGMELCZ",  // POS-80 小票打印机
};

std::string DecodeDisplayName(std::string code, std::uint16_t key) {
    // Pair pass: two letters are one base-26 number, A = 0; the low 8 bits
    // are kept, so a pair worth 256 or more wraps.
    const std::size_t count = code.size() / 2;
    std::string scrambled(count, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        const int high = static_cast<unsigned char>(code[2 * i]);
        const int low = static_cast<unsigned char>(code[2 * i + 1]);
        scrambled[i] = static_cast<char>((26 * high + low - 1755) & 0xFF);
    }
    // Keyed pass: XOR with the key's high byte, then move the key on from the
    // scrambled byte, so each clear byte depends only on what precedes it.
    std::string clear(count, '\0');
    std::uint16_t k = key;
    for (std::size_t i = 0; i < count; ++i) {
        const auto s = static_cast<unsigned char>(scrambled[i]);
        clear[i] = static_cast<char>(s ^ (k >> 8));
        k = static_cast<std::uint16_t>(kKeyAddend - kKeyMultiplier * (s + k));
    }
    return clear;
}
