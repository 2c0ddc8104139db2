// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/windowservices.h"
#include "wordforms/concordance.h"

#include <QDialog>
#include <QString>

#include <memory>

class QComboBox;
class QLabel;
class QMenuBar;
class QModelIndex;
class QPushButton;
class QSpinBox;
class QTableView;
class QTextEdit;

namespace lexalon {

class BusyPointer;
class ConcordanceModel;
class DispersionStrip;
class TaskRunner;

// Every attestation of a form in its context: a table sorted as the user
// chooses, where they fall in the text, and the paragraph of the one
// selected, which can be shown in the main window's text.
class ConcordanceWindow final : public QDialog
{
    Q_OBJECT

public:
    ConcordanceWindow(Concordance concordance, const QString &form, const WindowServices &services,
                      QWidget *parent = nullptr);
    ~ConcordanceWindow() override;

    void save();
    void print();
    void closeWindow();
    void showInText();

Q_SIGNALS:
    // The characters of an attestation, to select in the text.
    void attestationShown(qsizetype start, qsizetype end);

private:
    QMenuBar *createMenus();
    QWidget *createChoices();
    void createTable();
    void sortChosen(int choice);
    void selectAttestation(qsizetype attestation);
    void showParagraph(const QModelIndex &current);
    void markOnStrip(const QModelIndex &current);
    void showWords(int words);

    QString m_form;
    WindowServices m_services;
    std::unique_ptr<BusyPointer> m_pointer;
    TaskRunner *m_tasks;
    ConcordanceModel *m_model;
    DispersionStrip *m_strip = nullptr;
    QTableView *m_table = nullptr;
    QTextEdit *m_paragraph = nullptr;
    QSpinBox *m_words = nullptr;
    QComboBox *m_order = nullptr;
};

} // namespace lexalon
