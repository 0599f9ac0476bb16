// Writes a language file's texts into the windows: each value line's target, resolved by its
// window and its name, takes the text in the way its kind says.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "LanguageSections.h"

class QObject;
class QWidget;

class TextTargets {
  public:
    // The window a section addresses, by its global object's name; nullptr when not made.
    using WindowLookup = std::function<QWidget*(const QString& windowName)>;

    explicit TextTargets(WindowLookup lookup);

    // Writes one section's texts, one per target in the section's order.
    void ApplySection(const LanguageSection& section, const QStringList& texts) const;
    // The object a target names inside its own window (never a control of another window of
    // the same name); nullptr when there is none. For a text slot, the window itself.
    QObject* Resolve(const LanguageTarget& target) const;
    // What a target shows now, read the same way it is written.
    QString Text(const LanguageTarget& target) const;

  private:
    void Write(const LanguageTarget& target, QObject* object, const QString& text) const;

    WindowLookup lookup_;
};
