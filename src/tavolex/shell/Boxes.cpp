#include "shell/Boxes.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "widgets/Icons.h"
#include "widgets/Texts.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {
const QColor kDarkRed(176, 0, 0);
const QColor kGold(0xF0, 0xC8, 0x50);
constexpr int kBannerMilliseconds = 5000;
} // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(T(TextId::AboutTitle));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kDarkRed);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    auto* picture = new QLabel(this);
    picture->setPixmap(icons::Program(true).pixmap(64, 64));
    auto* name = new QLabel(u"<b>Tavolex v1.10</b>"_s, this);
    QFont large = name->font();
    large.setPointSizeF(large.pointSizeF() * 1.6);
    name->setFont(large);
    auto* description = new QLabel(u"<b>"_s + T(TextId::AboutDescription) + u"</b>"_s, this);
    description->setObjectName(u"description"_s);
    auto* close = new QPushButton(tr("Close"), this);
    close->setDefault(true);
    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(description);
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(12);
    top->addLayout(texts);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(close, &QPushButton::clicked, this, &AboutBox::accept);
}

DisclaimerBox::DisclaimerBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(T(TextId::DisclaimerTitle));
    auto* text = new QLabel(T(TextId::DisclaimerText), this);
    text->setObjectName(u"disclaimer"_s);
    text->setWordWrap(true);
    text->setFixedWidth(380);
    auto* proceed = new QPushButton(tr(" Continue "), this);
    proceed->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(proceed);
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(proceed, &QPushButton::clicked, this, &DisclaimerBox::accept);
}

StartBanner::StartBanner(QWidget* pageArea) : QWidget(pageArea) {
    setAttribute(Qt::WA_DeleteOnClose);
    // It covers exactly the page area, whatever size that has now or later.
    if (pageArea != nullptr) {
        setGeometry(pageArea->rect());
        pageArea->installEventFilter(this);
    }
    QTimer::singleShot(kBannerMilliseconds, this, &StartBanner::close);
}

bool StartBanner::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

void StartBanner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kDarkRed);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn at its full size rather than scaled up from a small icon, in a
    // colour that stands out from the red.
    const int side = std::min(width(), height()) / 3;
    icons::PaintMark(painter, QRectF(width() / 2 - side / 2, height() / 4 - side / 3, side, side), kGold);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(16, height() / 10));
    painter.setFont(font);
    painter.drawText(QRect(0, height() / 2, width(), height() / 6), Qt::AlignCenter, u"Tavolex v1.10"_s);
    font.setBold(false);
    font.setPixelSize(std::max(11, height() / 24));
    painter.setFont(font);
    painter.drawText(QRect(0, height() * 2 / 3, width(), height() / 8), Qt::AlignCenter, T(TextId::AboutDescription));
}

void StartBanner::mousePressEvent(QMouseEvent*) { close(); }

void StartBanner::closeEvent(QCloseEvent* event) {
    emit closed();
    QWidget::closeEvent(event);
}

} // namespace tavolex::editor
