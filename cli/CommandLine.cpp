#include "CommandLine.h"

#include <cstddef>
#include <optional>

#include "cipher/KeyRules.h"

namespace tarvoss::cli {
namespace {

class Reader {
public:
    Reader(const std::vector<std::string>& arguments, CliOptions& options, std::string& error)
        : arguments_(arguments), options_(options), error_(error) {}

    bool Read() {
        bool actionSeen = false;
        bool optionsEnded = false;
        for (index_ = 0; index_ < arguments_.size(); ++index_) {
            const std::string& argument = arguments_[index_];
            if (!optionsEnded && argument == "--") {
                optionsEnded = true;
            } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
                if (!ReadOption(argument)) return false;
                if (options_.help || options_.version) return true;
            } else if (!actionSeen) {
                if (argument == "encrypt")
                    options_.direction = Direction::Encrypt;
                else if (argument == "decrypt")
                    options_.direction = Direction::Decrypt;
                else if (argument == "recover")
                    options_.recover = true;
                else
                    return Fail("the first argument must be \"encrypt\", \"decrypt\" or \"recover\", not \"" +
                                argument + "\"");
                actionSeen = true;
            } else {
                options_.paths.push_back(argument);
            }
        }
        if (!actionSeen) return Fail("say what to do: \"encrypt\", \"decrypt\" or \"recover\"");
        if (options_.recover) return CheckRecover();
        if (options_.list) return Fail("--list goes with \"recover\" only");
        if (options_.discard) return Fail("--discard goes with \"recover\" only");
        if (options_.inPlace && !options_.destination.empty())
            return Fail("choose either --in-place or --to DIR, not both");
        if (!options_.inPlace && options_.destination.empty())
            return Fail("say where the results go: --in-place, or --to DIR for copies");
        if (options_.deleteSources && options_.inPlace)
            return Fail("--delete-sources goes with --to DIR only (in place there is no copy to keep)");
        if (!CheckKeyGiven()) return false;
        if (options_.paths.empty()) return Fail("give at least one file, folder or disk to process");
        return true;
    }

private:
    bool CheckRecover() {
        if (options_.inPlace || !options_.destination.empty() || options_.deleteSources)
            return Fail("\"recover\" finishes files where they lie: it takes no --in-place, --to or --delete-sources");
        if (options_.list && options_.discard) return Fail("choose either --list or --discard, not both");
        if (options_.list) {
            if (options_.keyGiven || options_.keyFromStdin || !options_.paths.empty())
                return Fail("\"recover --list\" takes no key and no files");
            return true;
        }
        if (options_.discard) {
            if (options_.keyGiven || options_.keyFromStdin) return Fail("\"recover --discard\" takes no key");
            if (options_.paths.empty()) return Fail("\"recover --discard\" needs the files whose journals go");
            return true;
        }
        return CheckKeyGiven();
    }

    bool CheckKeyGiven() {
        if (options_.keyGiven == options_.keyFromStdin)
            return Fail(options_.keyGiven ? "give the key either with --key or with --key-stdin, not both"
                                          : "give the key with --key KEY or --key-stdin");
        return true;
    }

    bool ReadOption(const std::string& argument) {
        std::string name = argument;
        std::optional<std::string> value;
        if (const auto equals = argument.find('='); argument.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        }
        if (name == "--help" || name == "-h") return Flag(name, value, options_.help);
        if (name == "--version") return Flag(name, value, options_.version);
        if (name == "--in-place") return Flag(name, value, options_.inPlace);
        if (name == "--delete-sources") return Flag(name, value, options_.deleteSources);
        if (name == "--quiet") return Flag(name, value, options_.quiet);
        if (name == "--list") return Flag(name, value, options_.list);
        if (name == "--discard") return Flag(name, value, options_.discard);
        if (name == "--key-stdin") return Flag(name, value, options_.keyFromStdin);
        if (name == "--to")
            return Value(name, value, options_.destination, destinationSeen_) && NotEmpty(name, options_.destination);
        if (name == "--key") return Value(name, value, options_.key, options_.keyGiven);
        if (name == "--key-type") {
            if (!Value(name, value, options_.keyType, keyTypeSeen_)) return false;
            if (KeyTypeNamed(options_.keyType)) return true;
            return Fail("--key-type must be \"numerical\" or \"text\", not \"" + options_.keyType + "\"");
        }
        if (name == "--key-length") {
            if (!Value(name, value, options_.keyLength, keyLengthSeen_)) return false;
            if (KeyLengthNamed(options_.keyLength)) return true;
            return Fail("--key-length must be 128, 96 or 64, not \"" + options_.keyLength + "\"");
        }
        return Fail("unknown option \"" + argument + "\"");
    }

    bool Flag(const std::string& name, const std::optional<std::string>& value, bool& flag) {
        if (value) return Fail(name + " takes no value");
        if (flag) return Fail(name + " is given twice");
        flag = true;
        return true;
    }

    bool Value(const std::string& name, const std::optional<std::string>& value, std::string& target, bool& seen) {
        if (seen) return Fail(name + " is given twice");
        seen = true;
        if (value) {
            target = *value;
            return true;
        }
        if (index_ + 1 >= arguments_.size()) return Fail(name + " needs a value");
        target = arguments_[++index_];
        return true;
    }

    bool NotEmpty(const std::string& name, const std::string& value) {
        return value.empty() ? Fail(name + " needs a value") : true;
    }

    bool Fail(const std::string& message) {
        error_ = message;
        return false;
    }

    const std::vector<std::string>& arguments_;
    CliOptions& options_;
    std::string& error_;
    std::size_t index_ = 0;
    bool destinationSeen_ = false;
    bool keyTypeSeen_ = false;
    bool keyLengthSeen_ = false;
};

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& arguments, CliOptions& options, std::string& error) {
    return Reader(arguments, options, error).Read();
}

}  // namespace tarvoss::cli
