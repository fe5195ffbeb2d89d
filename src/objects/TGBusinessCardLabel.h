#pragma once

#include "objects/TGPLabel.h"

#include <QStringList>

// The label the text tool puts on the card: its menu starts with the card
// owner's personal information, rebuilt each time the menu opens, and its
// text dialog offers the same values.
class TGBusinessCardLabel : public TGPLabel
{
    Q_OBJECT
public:
    explicit TGBusinessCardLabel(QObject *owner = nullptr) : TGPLabel(owner) {}

    static const TPropertyList &properties() { return TGPLabel::properties(); }
    const TPropertyList &StoredProperties() const override { return properties(); }

    // The menu captions of the personal-information entries, before the tab.
    static const QStringList &PersonalInfoLabels();

    // Part of the object menu, so made with it.
    QMenu *PersonalInfoMenu() const
    {
        ObjectMenu();
        return m_personalInfoMenu;
    }

    void RefreshPopup() override;
    // The text dialog with the personal information; on OK the caption
    // takes the text and the box fits it.
    void EditCardText();
    // What choosing a personal-information entry does with its caption.
    void ChoosePersonalInfo(const QString &entryCaption);

protected:
    void BuildMenu() override;

private:
    void InsertPersonalInfoMenu();
    void RebuildPersonalInfoMenu();
    QStringList PersonalValues() const;

    QMenu *m_personalInfoMenu = nullptr;
};
