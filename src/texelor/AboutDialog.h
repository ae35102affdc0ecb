#pragma once

#include <QDialog>

namespace texelor {

// "About Texelor": the version line and the icon; closed from its title bar (or Escape).
class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace texelor
