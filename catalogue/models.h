#pragma once

#include <cstdint>
#include <string>

// Index of a printer model: the selection of the settings page's driver combo
// box and the index into every per-model table below (0 = 58, 1 = 76, 2 = 80).
using ModelIndex = int;

constexpr int kModelCount = 3;

// Base names of the model's own driver DLL and GPD minidriver on the medium.
extern const char* const g_driverDllNames[kModelCount];
extern const char* const g_gpdNames[kModelCount];
// One name for the spooler driver, the printer queue and the default printer.
extern const char* const g_printerNames[kModelCount];
// Display names as stored: 34 capital letters each, turned into text by
// DecodeDisplayName with kDisplayNameKey.
extern const char* const g_displayNameCodes[kModelCount];

constexpr std::uint16_t kDisplayNameKey = 0x5A3C;
constexpr std::uint16_t kKeyAddend = 0x7E29;
constexpr std::uint16_t kKeyMultiplier = 0x3A71;

// Unscrambles a stored display-name code. Takes the code by value and returns
// floor(length / 2) bytes; NUL bytes produced by the pairs are kept. Nothing
// is validated: every input yields a string.
std::string DecodeDisplayName(std::string code, std::uint16_t key);
