#pragma once
// Sets an environment variable for the life of the object and puts back what
// it was (or unsets it) afterwards.

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace tarvoss::testing {

class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::string& value) : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str())) previous_ = old;
        Set(name_, value);
    }
    ~ScopedEnvironment() {
        if (previous_)
            Set(name_, *previous_);
        else
            Unset(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
#ifdef _WIN32
    // _putenv_s changes the process's environment too, where the system's
    // calls read it; an empty value removes the variable.
    static void Set(const std::string& name, const std::string& value) { ::_putenv_s(name.c_str(), value.c_str()); }
    static void Unset(const std::string& name) { ::_putenv_s(name.c_str(), ""); }
#else
    static void Set(const std::string& name, const std::string& value) { ::setenv(name.c_str(), value.c_str(), 1); }
    static void Unset(const std::string& name) { ::unsetenv(name.c_str()); }
#endif
    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace tarvoss::testing
