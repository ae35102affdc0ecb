#include "AboutDialog.h"

#include <QHBoxLayout>
#include <QLabel>

#include "TexelorIcon.h"
#include "core/Texts.h"

namespace texelor {

using namespace Qt::StringLiterals;

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    using tavolex::Text;
    using tavolex::TextId;
    setWindowTitle(QString::fromUtf8(Text(TextId::TexelorAboutTitle).data()));
    auto* layout = new QHBoxLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(TexelorIcon().pixmap(32, 32));
    auto* text = new QLabel(QString::fromUtf8(Text(TextId::TexelorAboutText).data()), this);
    text->setObjectName(u"aboutText"_s);
    layout->addWidget(icon);
    layout->addSpacing(8);
    layout->addWidget(text);
    layout->setContentsMargins(20, 16, 28, 16);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace texelor
