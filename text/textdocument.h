// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace lexalon {

class ParagraphIndex;

enum class DocumentState { Start, Loaded, Closed };

inline constexpr auto promptAtStart = u"Chargez un fichier texte avec la commande Ouvrir";
inline constexpr auto promptAfterClose = u"Chargez un fichier texte avec la commande Ouvrir.";

// The main window's document: the text loaded, the file it came from, and the
// commands available in each of the three states. The window presents it.
class TextDocument final : public QObject
{
    Q_OBJECT

public:
    explicit TextDocument(QObject *parent = nullptr);

    DocumentState state() const { return m_state; }
    // The whole text of the file, or empty when none is loaded.
    const QString &text() const { return m_text; }
    // The index the pane lays the text out by, when it was made with the
    // read; none otherwise.
    const std::shared_ptr<const ParagraphIndex> &paragraphs() const { return m_paragraphs; }
    // The file's path when loaded, otherwise the prompt to open one.
    QString fileLabel() const;
    bool paneEnabled() const { return m_state != DocumentState::Closed; }

    bool canOpen() const { return m_state != DocumentState::Loaded; }
    bool canClose() const { return m_state == DocumentState::Loaded; }
    bool canList() const { return m_state != DocumentState::Closed; }

    void load(const QString &path, const QString &text, std::shared_ptr<const ParagraphIndex> paragraphs = nullptr);
    // Undoes the last load when its text could not be shown: the state
    // before it comes back, with no text.
    void abandonLoad();
    // Empties the text; the file on disk is not touched.
    void close();

Q_SIGNALS:
    void changed();

private:
    DocumentState m_state = DocumentState::Start;
    DocumentState m_stateBeforeLoad = DocumentState::Start;
    QString m_path;
    QString m_text;
    std::shared_ptr<const ParagraphIndex> m_paragraphs;
};

} // namespace lexalon
