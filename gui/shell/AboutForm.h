#pragma once
// The About box: product name, version and the maker's addresses.

#include <QDialog>

namespace tarvoss {

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* parent = nullptr);
};

}  // namespace tarvoss
