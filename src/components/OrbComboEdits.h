#pragma once
// Combo edits: an edit box with a button at its right end that opens a
// picker or a find dialog (OnButtonClick). The button also answers ClickKey.
//
//   TOrbComboEdit / TOrbDBComboEdit     glyph button, ClickKey Alt+Down
//   TOrbLComboEdit / TOrbLDBComboEdit   caption button, no ClickKey, no input-method rule
// The data-aware ones behave like TOrbDBEdit: they show their field's text,
// write it back as it is typed and on leaving, Escape restores the field's
// text, and cut and paste are refused while the field cannot be modified.

#include "components/OrbEdits.h"

#include <QKeySequence>
#include <QPixmap>
#include <QToolButton>

namespace Orb {

enum TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };

// The button of a combo edit: hand cursor, a two-line separator on its left.
class TEditButton : public QToolButton {
    Q_OBJECT
public:
    explicit TEditButton(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *e) override;
};

class TOrbCustomComboEdit : public TOrbEdit {
    Q_OBJECT
public:
    explicit TOrbCustomComboEdit(QWidget *parent = nullptr);

    QString ButtonCaption() const;
    void setButtonCaption(const QString &caption);
    QString ButtonHint() const;
    void setButtonHint(const QString &hint);
    int ButtonWidth() const { return m_buttonWidth; }
    void setButtonWidth(int width);
    bool ButtonEnabled() const;
    void setButtonEnabled(bool on);
    bool ButtonVisible() const;
    void setButtonVisible(bool on);
    QPixmap Glyph() const { return m_glyph; }
    void setGlyph(const QPixmap &glyph);
    int NumGlyphs() const { return m_numGlyphs; }
    void setNumGlyphs(int n);
    TGlyphKind GlyphKind() const { return m_glyphKind; }
    void setGlyphKind(TGlyphKind kind);
    QKeySequence ClickKey;          // Alt+Down; an empty sequence means none
    bool DirectInput = true;        // false: the text comes from the button only
    std::function<void(QObject *)> OnButtonClick;

    TEditButton *button() const { return m_button; }
    // Runs the button's action: raises OnButtonClick.
    virtual void ButtonClick();

    EntryKind entryKind() const override { return EntryKind::ComboEdit; }
    void setEntryButtonEnabled(bool on) override { setButtonEnabled(on); }

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void placeButton();
    void updateGlyph();

    TEditButton *m_button;
    int m_buttonWidth = 21;
    QPixmap m_glyph;
    int m_numGlyphs = 1;
    TGlyphKind m_glyphKind = gkCustom;
};

class TOrbComboEdit : public TOrbCustomComboEdit {
    Q_OBJECT
public:
    using TOrbCustomComboEdit::TOrbCustomComboEdit;
};

// Shared by the two data-aware combo edits.
class DBComboEditBinding {
protected:
    bool dbKey(QLineEdit *edit, QKeyEvent *e);
    void dbLeave(QLineEdit *edit);
    void dbRefresh(QLineEdit *edit);
    FieldBinding m_binding;
};

class TOrbDBComboEdit : public TOrbCustomComboEdit, protected DBComboEditBinding {
    Q_OBJECT
public:
    explicit TOrbDBComboEdit(QWidget *parent = nullptr);
    ~TOrbDBComboEdit() override;
    void setDataSource(TOrbDataSource *source, const QString &field);
    TOrbDataSource *DataSource() const { return m_binding.source(); }
    QString DataField() const { return m_binding.field(); }
    TOrbDataSource *boundSource() const override { return m_binding.source(); }
    QString boundField() const override { return m_binding.field(); }
    void refreshFromField() override { dbRefresh(this); }

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
};

// The caption-button variants: the button shows ButtonCaption in ButtonFont
// and ButtonColor; no ClickKey by default; the input method is left alone.
class TOrbLCustomComboEdit : public TOrbCustomComboEdit {
    Q_OBJECT
public:
    explicit TOrbLCustomComboEdit(QWidget *parent = nullptr);
    QFont ButtonFont() const;
    void setButtonFont(const QFont &font);
    QColor ButtonColor() const;
    void setButtonColor(const QColor &color);
    EntryKind entryKind() const override { return EntryKind::CaptionComboEdit; }
};

class TOrbLComboEdit : public TOrbLCustomComboEdit {
    Q_OBJECT
public:
    using TOrbLCustomComboEdit::TOrbLCustomComboEdit;
};

class TOrbLDBComboEdit : public TOrbLCustomComboEdit, protected DBComboEditBinding {
    Q_OBJECT
public:
    explicit TOrbLDBComboEdit(QWidget *parent = nullptr);
    ~TOrbLDBComboEdit() override;
    void setDataSource(TOrbDataSource *source, const QString &field);
    TOrbDataSource *DataSource() const { return m_binding.source(); }
    QString DataField() const { return m_binding.field(); }
    TOrbDataSource *boundSource() const override { return m_binding.source(); }
    QString boundField() const override { return m_binding.field(); }
    void refreshFromField() override { dbRefresh(this); }

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
};

} // namespace Orb
