#pragma once

#include <QDialog>
#include <QString>

#include <string>

#include "TexelorTexture.h"

class QLabel;
class QPushButton;
class QScrollArea;

namespace texelor {

class TexelorUi;

// The viewer's one window: the texture shown 1:1 (scrollable when larger),
// and the four buttons to load, save, export and import.
class TexelorDialog : public QDialog {
    Q_OBJECT

  public:
    explicit TexelorDialog(TexelorUi& ui, QWidget* parent = nullptr);

    // Loads a JAM as "Load JAM" does after its file dialog; false after a message.
    bool loadJam(const QString& path);

    const texelor::TexelorTexture& texture() const { return texture_; }
    QPushButton* loadButton() const { return load_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* exportButton() const { return export_; }
    QPushButton* importButton() const { return import_; }
    QLabel* picture() const { return picture_; }

  public slots:
    void onLoadJam();
    void onSaveJam();
    void onExportBitmap();
    void onImportBitmap();
    void onAbout();

  private:
    void showPixels();
    // A save dialog's path with a missing extension added, after asking
    // before a file is replaced; empty when cancelled.
    QString askSavePath(const QString& folder, const QString& defaultName, const QString& filter,
                        const std::string& extension);
    QString jamFilter() const;
    QString bitmapFilter(bool forSaving) const;

    TexelorUi& ui_;
    texelor::TexelorTexture texture_;
    QScrollArea* scroll_;
    QLabel* picture_;
    QPushButton* load_;
    QPushButton* save_;
    QPushButton* export_;
    QPushButton* import_;
    // Remembered for this run only: where each kind of file was last chosen.
    QString jamFolder_;
    QString bitmapFolder_;
    QString jamName_;  // the file name the JAM was loaded from or last saved as
    QString baseName_; // that name without its extension, for exported bitmaps
};

} // namespace texelor
