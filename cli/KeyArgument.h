#pragma once
// The key as the command line takes it: a numerical key is its parts joined by
// "-", a text key is the text itself. Checked as strictly as the window checks
// a typed key, so a run never starts with a key the window would refuse.

#include <string>

#include "cipher/KeyMaterial.h"

namespace tarvoss::cli {

// `type` "numerical" or "text", `length` "128", "96" or "64". False with
// `error` naming what is wrong.
bool ReadKey(const std::string& type, const std::string& length, const std::string& text, KeyEntry& entry,
             std::string& error);

}  // namespace tarvoss::cli
