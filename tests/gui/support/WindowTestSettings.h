#pragma once
// The user's settings of a window test: kept in a scratch folder of the test,
// never in the real user's, for both settings formats. Hold one for the whole
// test executable (a member of the test object, set up in initTestCase).

#include <QSettings>
#include <QTemporaryDir>

namespace tarvoss::test {

class WindowTestSettings {
public:
    // False when the scratch folder could not be made.
    bool Isolate() {
        if (!folder_.isValid()) return false;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_.path());
        return true;
    }

private:
    QTemporaryDir folder_;
};

}  // namespace tarvoss::test
