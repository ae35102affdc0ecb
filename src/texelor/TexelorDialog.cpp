#include "TexelorDialog.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "AboutDialog.h"
#include "TexelorIcon.h"
#include "TexelorUi.h"
#include "core/Texts.h"
#include "settings/FileDialogRules.h"

namespace texelor {

using namespace Qt::StringLiterals;

namespace {

QString T(tavolex::TextId id) { return QString::fromUtf8(tavolex::Text(id).data()); }

std::filesystem::path ToPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

QGroupBox* FramedPair(QWidget* parent, QPushButton* first, QPushButton* second) {
    auto* box = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(first);
    layout->addWidget(second);
    return box;
}

} // namespace

TexelorDialog::TexelorDialog(TexelorUi& ui, QWidget* parent) : QDialog(parent), ui_(ui) {
    using tavolex::TextId;
    setWindowTitle(T(TextId::TexelorTitle));
    setWindowIcon(TexelorIcon());

    picture_ = new QLabel;
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(picture_);
    // The picture keeps its own size (1:1); the scroll bars appear when it is larger.
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);
    // Room for the whole sheet width (256) and its scroll bar.
    scroll_->setMinimumWidth(256 + scroll_->verticalScrollBar()->sizeHint().width() + 2 * scroll_->frameWidth());

    load_ = new QPushButton(T(TextId::TexelorLoadJam), this);
    save_ = new QPushButton(T(TextId::TexelorSaveJam), this);
    export_ = new QPushButton(T(TextId::TexelorExportBitmap), this);
    import_ = new QPushButton(T(TextId::TexelorImportBitmap), this);
    save_->setEnabled(false);
    export_->setEnabled(false);
    import_->setEnabled(false);
    load_->setDefault(true);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(FramedPair(this, load_, save_));
    buttons->addWidget(FramedPair(this, export_, import_));
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(scroll_, 1);
    layout->addLayout(buttons);

    // Linux has no window system menu to extend: the About item lives in a Help menu.
    auto* menuBar = new QMenuBar(this);
    auto* help = menuBar->addMenu(tr("&Help"));
    QAction* about = help->addAction(T(TextId::TexelorAboutMenuItem));
    about->setObjectName(u"aboutAction"_s);
    connect(about, &QAction::triggered, this, &TexelorDialog::onAbout);
    layout->setMenuBar(menuBar);

    connect(load_, &QPushButton::clicked, this, &TexelorDialog::onLoadJam);
    connect(save_, &QPushButton::clicked, this, &TexelorDialog::onSaveJam);
    connect(export_, &QPushButton::clicked, this, &TexelorDialog::onExportBitmap);
    connect(import_, &QPushButton::clicked, this, &TexelorDialog::onImportBitmap);

    // Room for a whole car livery sheet (256 x 384) without scrolling.
    resize(470, 460);
}

QString TexelorDialog::jamFilter() const { return T(tavolex::TextId::TexelorJamFilter); }

QString TexelorDialog::bitmapFilter(bool forSaving) const {
    return T(forSaving ? tavolex::TextId::PictureSaveFilter : tavolex::TextId::PictureOpenFilter);
}

bool TexelorDialog::loadJam(const QString& path) {
    const QFileInfo info(path);
    jamFolder_ = info.absolutePath();
    jamName_ = info.fileName();
    baseName_ = info.completeBaseName();
    const texelor::LoadResult result = texture_.load(ToPath(path));
    if (result != texelor::LoadResult::Ok) {
        ui_.warn(this, QString::fromStdString(texelor::LoadMessage(result)));
        return false;
    }
    showPixels();
    save_->setEnabled(true);
    export_->setEnabled(true);
    import_->setEnabled(true);
    return true;
}

void TexelorDialog::onLoadJam() {
    const QString path = ui_.openFile(this, jamFolder_, jamFilter());
    if (!path.isEmpty()) {
        loadJam(path);
    }
}

QString TexelorDialog::askSavePath(const QString& folder, const QString& defaultName, const QString& filter,
                                   const std::string& extension) {
    const QString chosen = ui_.saveFile(this, folder, defaultName, filter);
    if (chosen.isEmpty()) {
        return {};
    }
    const QString path = QString::fromStdU16String(tavolex::AddMissingExtension(ToPath(chosen), extension).u16string());
    if (QFileInfo::exists(path) && !ui_.confirmReplace(this, path)) {
        return {};
    }
    return path;
}

void TexelorDialog::onSaveJam() {
    // The loaded file's own name, so that saving replaces it rather than
    // making a second file beside it whose name differs only in case.
    const QString path = askSavePath(jamFolder_, jamName_, jamFilter(), "jam");
    if (path.isEmpty()) {
        return;
    }
    const QFileInfo info(path);
    jamFolder_ = info.absolutePath();
    jamName_ = info.fileName();
    baseName_ = info.completeBaseName();
    const texelor::SaveResult result = texture_.save(ToPath(path));
    if (result != texelor::SaveResult::Ok) {
        ui_.warn(this, QString::fromStdString(texelor::SaveMessage(result)));
    }
}

void TexelorDialog::onExportBitmap() {
    const QString path = askSavePath(bitmapFolder_, baseName_ + u".bmp"_s, bitmapFilter(true), "bmp");
    if (path.isEmpty()) {
        return;
    }
    bitmapFolder_ = QFileInfo(path).absolutePath();
    if (!texture_.exportBitmap(ToPath(path))) {
        ui_.warn(this, QString::fromStdString(texelor::ExportMessage()));
    }
}

void TexelorDialog::onImportBitmap() {
    const QString path = ui_.openFile(this, bitmapFolder_, bitmapFilter(false));
    if (path.isEmpty()) {
        return;
    }
    bitmapFolder_ = QFileInfo(path).absolutePath();
    const texelor::ImportResult result = texture_.importBitmap(ToPath(path));
    if (result != texelor::ImportResult::Ok) {
        ui_.warn(this, QString::fromStdString(texelor::ImportMessage(result)));
        return;
    }
    showPixels();
}

void TexelorDialog::onAbout() {
    AboutDialog about(this);
    about.exec();
}

void TexelorDialog::showPixels() {
    const int width = texelor::TexelorTexture::kWidth;
    const int height = texture_.height();
    QImage image(width, height, QImage::Format_RGB32);
    const auto& pixels = texture_.pixels();
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            row[x] = 0xFF000000u | pixels[static_cast<std::size_t>(y) * width + x];
        }
    }
    picture_->setPixmap(QPixmap::fromImage(image));
    picture_->adjustSize();
}

} // namespace texelor
