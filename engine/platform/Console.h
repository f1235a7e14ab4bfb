#pragma once
// The console a command-line run talks to: its standard input and error.

#include <cstddef>
#include <optional>

namespace tarvoss {

// Whether standard error shows on a console (not a file or a pipe).
bool ErrorStreamIsConsole();

// The width in columns of the console standard error shows on; empty when it
// is not a console or does not say.
std::optional<std::size_t> ErrorConsoleColumns();

// Makes what the program writes to a console show as the UTF-8 it is.
void WriteConsoleTextAsUtf8();

// Reads one byte of standard input, unbuffered, so that no copy of it stays
// in a buffer; false at the end of the input or when it cannot be read.
bool ReadInputByte(char& byte);

}  // namespace tarvoss
