#pragma once

#include <algorithm>

#include <QEvent>
#include <QFontMetrics>
#include <QResizeEvent>
#include <QShowEvent>
#include <QString>

namespace tavolex::editor {

// A label or button showing a name: it asks for room for `reserved`
// characters whatever the name, so a long name never widens the page, shows
// the whole name when it has the room, and elides it, with the whole name as
// its tooltip, when the window is made smaller or the name is unusually wide.
template <class TextWidget> class Eliding : public TextWidget {
  public:
    using TextWidget::TextWidget;

    void setReservedCharacters(int characters) {
        reserved_ = characters;
        this->updateGeometry();
    }
    void setFullText(const QString& text) {
        full_ = text;
        elide();
    }
    // The tooltip while the whole text shows; an elided one shows the whole text instead.
    void setPlainToolTip(const QString& tip) {
        plainTip_ = tip;
        elide();
    }
    // The width the whole of `text` takes in this widget.
    int widthFor(const QString& text) const { return chrome() + TextWidth(text); }
    int reservedWidth() const {
        // Names of ordinary letters, with a tenth to spare: the font's average takes in
        // letters names rarely hold.
        static const QString kTypical = QStringLiteral("Scuderia Ferrari - Mugen-Honda Heinz-Harald Frentzen ");
        const QString sample = kTypical.repeated(1 + reserved_ / static_cast<int>(kTypical.size())).left(reserved_);
        return chrome() + TextWidth(sample) * 11 / 10;
    }

    QSize sizeHint() const override { return {reservedWidth(), TextWidget::sizeHint().height()}; }
    QSize minimumSizeHint() const override {
        return {chrome() + this->fontMetrics().horizontalAdvance(QStringLiteral("Mm…")),
                TextWidget::minimumSizeHint().height()};
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        TextWidget::resizeEvent(event);
        elide();
    }
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            chrome_ = -1;
        TextWidget::changeEvent(event);
    }
    void showEvent(QShowEvent* event) override {
        TextWidget::showEvent(event);
        elide();
    }

  private:
    // Measured as the widgets measure their own texts, so whole texts fit exactly.
    int TextWidth(const QString& text) const { return this->fontMetrics().size(Qt::TextShowMnemonic, text).width(); }
    // What the widget draws besides its text: margins, an indicator. Measured
    // on a long text, as a style widens a short one to its smallest button.
    // A widget of the same kind, font and style sheet is measured, so the
    // widget itself is left alone while it is laid out.
    int chrome() const {
        if (chrome_ < 0) {
            TextWidget probe;
            probe.setFont(this->font());
            probe.setStyleSheet(this->styleSheet());
            const QString text = QStringLiteral("Measured with a text longer than any smallest button");
            probe.setText(text);
            chrome_ = probe.sizeHint().width() - TextWidth(text);
        }
        return chrome_;
    }
    void elide() {
        // Until it is shown the widget has no width of its own to fit.
        const int room = this->width() - chrome();
        const bool fits = !this->isVisible() || TextWidth(full_) <= room;
        const QString shown = fits ? full_ : this->fontMetrics().elidedText(full_, Qt::ElideRight, std::max(0, room));
        if (shown != this->text())
            TextWidget::setText(shown);
        this->setToolTip(fits ? plainTip_ : full_);
    }

    QString full_;
    QString plainTip_;
    mutable int chrome_ = -1;
    int reserved_ = 24;
};

} // namespace tavolex::editor
