#pragma once

#include "platform/qt/windowservices.h"
#include "wordforms/orderings.h"

#include <QDialog>
#include <QString>

#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QWidget;

namespace lexalon {

class BusyPointer;
class WordGrid;
class WordGridModel;
class WordListView;

// The word-list window: the forms of the main window's text with their
// numbers of attestations, two statistics, and the button that switches the
// order of the list. Built for one showing: every load analyses afresh.
class frmListe01 final : public QDialog
{
    Q_OBJECT

public:
    frmListe01(const QString &text, const WindowServices &services, QWidget *parent = nullptr);
    ~frmListe01() override;

    // Analyses the text the window was given.
    void Form_Load();

    void Command1_Click();
    void enregistrer_Click();
    void imprimer_Click();
    void fermer_Click();
    void about_Click();

    const WordGrid &grid() const;
    WordGridModel *model() const { return m_model; }
    WordListView *grille01() const { return m_view; }
    QPushButton *Command1() const { return m_Command1; }
    QGroupBox *Frame1() const { return m_Frame1; }
    QLabel *Label2() const { return m_Label2; }
    QLabel *Label3() const { return m_Label3; }
    QLabel *Label4() const { return m_Label4; }
    QLabel *Label5() const { return m_Label5; }
    QLabel *Label6() const { return m_Label6; }
    QLabel *Label7() const { return m_Label7; }
    QLabel *Label8() const { return m_Label8; }
    QLabel *fond() const { return m_fond; }
    QMenu *fichier() const { return m_fichier; }
    QMenu *aide() const { return m_aide; }
    QAction *enregistrer() const { return m_enregistrer; }
    QAction *imprimer() const { return m_imprimer; }
    QAction *fermer() const { return m_fermer; }
    QAction *about() const { return m_about; }

private:
    QWidget *createClientArea();
    void createTitle(QWidget *client);
    void createStatistics();
    void createList(QWidget *client);
    void createButton(QWidget *client);
    QMenuBar *createMenus();

    QString m_text;
    WindowServices m_services;
    std::unique_ptr<BusyPointer> m_pointer;
    OrderToggle m_order;
    WordGridModel *m_model; // holds grille01

    WordListView *m_view = nullptr;
    QPushButton *m_Command1 = nullptr;
    QGroupBox *m_Frame1 = nullptr;
    QGroupBox *m_Frame2 = nullptr;
    QGroupBox *m_Frame3 = nullptr;
    QLabel *m_Label2 = nullptr;
    QLabel *m_Label3 = nullptr;
    QLabel *m_Label4 = nullptr;
    QLabel *m_Label5 = nullptr;
    QLabel *m_Label6 = nullptr;
    QLabel *m_Label7 = nullptr;
    QLabel *m_Label8 = nullptr;
    QLabel *m_fond = nullptr;
    QMenu *m_fichier = nullptr;
    QMenu *m_aide = nullptr;
    QAction *m_enregistrer = nullptr;
    QAction *m_imprimer = nullptr;
    QAction *m_fermer = nullptr;
    QAction *m_about = nullptr;
};

} // namespace lexalon
