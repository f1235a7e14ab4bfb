#pragma once
// The process's arguments split between Qt and the program: Qt sees only the
// program's name, so that no argument the user gives is taken for one of
// Qt's own options ("-reverse", "-style", ...); every argument after the name
// is a path, kept as the bytes the system passed.

#include <string>
#include <vector>

namespace tarvoss {

class ProgramArguments {
public:
    ProgramArguments(int argc, char** argv);
    ProgramArguments(const ProgramArguments&) = delete;
    ProgramArguments& operator=(const ProgramArguments&) = delete;

    // What the application object is given; valid while this object lives,
    // as the application object requires.
    int& QtArgc() { return qtArgc_; }
    char** QtArgv() { return qtArgv_.data(); }
    // The user's arguments, unchanged.
    const std::vector<std::string>& Paths() const { return paths_; }

private:
    std::string name_;
    std::vector<char*> qtArgv_;
    int qtArgc_ = 1;
    std::vector<std::string> paths_;
};

}  // namespace tarvoss
