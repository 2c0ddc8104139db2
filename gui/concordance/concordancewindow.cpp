// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/concordance/concordancewindow.h"

#include "commands/printcommand.h"
#include "commands/savecommand.h"
#include "gui/concordance/concordancemodel.h"
#include "gui/concordance/dispersionstrip.h"
#include "gui/concordance/concordanceorders.h"
#include "gui/look/windowlook.h"
#include "gui/platform/runthenshow.h"
#include "gui/platform/taskrunner.h"
#include "platform/interaction/busypointer.h"
#include "platform/interaction/messagebox.h"
#include "wordforms/figures.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QSize>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <utility>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

constexpr QColor highlightColour{255, 255, 128};
constexpr QSize designedSize{900, 640};

// The left context ends at the form: what does not fit goes at its start.
class LeftContextDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideLeft;
    }
};

// The text pane's lines, whatever their ends.
QString shownText(QStringView text)
{
    QString shown = text.toString();
    shown.replace(u"\r\n"_s, u"\n"_s);
    shown.replace(u'\r', u'\n');
    return shown;
}

QString attestationsLine(qsizetype count, const QString &form)
{
    return countOf(count, u"attestation", u"attestations") + u" de « "_s + form + u" »"_s;
}

QString wordsSuffix(int words)
{
    QString suffix = u" "_s;
    suffix += agreeing(words, u"mot", u"mots");
    return suffix;
}

} // namespace

ConcordanceWindow::ConcordanceWindow(Concordance concordance, const QString &form,
                                     const WindowServices &services, QWidget *parent)
    : QDialog(parent)
    , m_form(form)
    , m_services(services)
    , m_pointer(services.busyPointer(*this))
    , m_tasks(new TaskRunner(*this))
    , m_model(new ConcordanceModel(std::move(concordance), this))
{
    setWindowTitle(u"Concordance de « %1 »"_s.arg(form));
    setAccessibleDescription(u"Chaque attestation de la forme dans son contexte, et le paragraphe de celle choisie."_s);
    setToolWindowLook(*this);

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(createMenus());
    auto *heading = new QLabel(attestationsLine(m_model->rowCount(), form), this);
    heading->setObjectName(u"attestations"_s);
    QFont bold = labelFont(12);
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    layout->addWidget(createChoices());

    m_strip = new DispersionStrip(m_model->concordance(), this);
    m_strip->setObjectName(u"dispersion"_s);
    m_strip->setToolTip(u"Place de chaque attestation dans le texte, du début à la fin, celle choisie en rouge, "
                        u"et leur nombre et leur part dans chaque dixième du texte"_s);
    connect(m_strip, &DispersionStrip::attestationClicked, this, &ConcordanceWindow::selectAttestation);
    layout->addWidget(m_strip);

    createTable();
    layout->addWidget(m_table, 1);

    m_paragraph = new QTextEdit(this);
    m_paragraph->setObjectName(u"paragraphe"_s);
    m_paragraph->setReadOnly(true);
    m_paragraph->setFixedHeight(m_paragraph->fontMetrics().lineSpacing() * 6);
    layout->addWidget(m_paragraph);

    auto *show = new QPushButton(u"Afficher dans le texte"_s, this);
    show->setObjectName(u"afficher"_s);
    show->setFont(controlFont());
    show->setAutoDefault(false);
    show->setEnabled(m_model->rowCount() > 0);
    connect(show, &QPushButton::clicked, this, &ConcordanceWindow::showInText);
    layout->addWidget(show, 0, Qt::AlignRight);

    resizeWithinScreen(*this, designedSize);
    m_table->setFocus();
    if (m_model->rowCount() > 0)
        m_table->setCurrentIndex(m_model->index(0, ConcordanceModel::formColumn));
}

ConcordanceWindow::~ConcordanceWindow() = default;

QMenuBar *ConcordanceWindow::createMenus()
{
    auto *menuBar = new QMenuBar(this);
    addListFileMenu(menuBar, this, &ConcordanceWindow::save, &ConcordanceWindow::print, &ConcordanceWindow::closeWindow);
    return menuBar;
}

QWidget *ConcordanceWindow::createChoices()
{
    auto *choices = new QWidget(this);
    auto *row = new QHBoxLayout(choices);
    row->setContentsMargins(0, 0, 0, 0);

    auto *wordsLabel = new QLabel(u"&Contexte :"_s, choices);
    m_words = new QSpinBox(choices);
    m_words->setObjectName(u"contexte"_s);
    m_words->setRange(Concordance::fewestWords, Concordance::mostWords);
    m_words->setValue(Concordance::defaultWords);
    m_words->setSuffix(wordsSuffix(m_words->value()));
    wordsLabel->setBuddy(m_words);
    connect(m_words, &QSpinBox::valueChanged, m_model, &ConcordanceModel::setWords);
    connect(m_words, &QSpinBox::valueChanged, this, &ConcordanceWindow::showWords);

    auto *orderLabel = new QLabel(u"&Tri :"_s, choices);
    m_order = new QComboBox(choices);
    m_order->setObjectName(u"tri"_s);
    for (const auto &[caption, order] : concordanceOrders)
        m_order->addItem(caption.toString());
    orderLabel->setBuddy(m_order);
    connect(m_order, &QComboBox::currentIndexChanged, this, &ConcordanceWindow::sortChosen);

    row->addWidget(wordsLabel);
    row->addWidget(m_words);
    row->addSpacing(24);
    row->addWidget(orderLabel);
    row->addWidget(m_order);
    row->addStretch();
    return choices;
}

void ConcordanceWindow::createTable()
{
    m_table = new QTableView(this);
    m_table->setObjectName(u"concordance"_s);
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    setReadableSelection(m_table);
    m_table->setItemDelegateForColumn(ConcordanceModel::leftColumn, new LeftContextDelegate(m_table));
    m_table->verticalHeader()->hide();
    // Fixed heights and widths: no row or column is measured, however many.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    QHeaderView *columns = m_table->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setSectionResizeMode(ConcordanceModel::leftColumn, QHeaderView::Stretch);
    columns->setSectionResizeMode(ConcordanceModel::rightColumn, QHeaderView::Stretch);
    // The widest number whole, with room either side.
    const QString widest = groupedFigure(std::max(m_model->rowCount(), 100));
    m_table->setColumnWidth(ConcordanceModel::numberColumn,
                            m_table->fontMetrics().horizontalAdvance(widest + u"00"_s));
    m_table->setColumnWidth(ConcordanceModel::formColumn, 140);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ConcordanceWindow::showParagraph);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ConcordanceWindow::markOnStrip);
    connect(m_table, &QTableView::doubleClicked, this, &ConcordanceWindow::showInText);
    // Entrée does what a double-click does.
    auto *enter = new QShortcut(m_table);
    enter->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    enter->setContext(Qt::WidgetShortcut);
    connect(enter, &QShortcut::activated, this, &ConcordanceWindow::showInText);
}

void ConcordanceWindow::sortChosen(int choice)
{
    const QModelIndex current = m_table->currentIndex();
    const qsizetype attestation = current.isValid() ? m_model->concordance().attestation(current.row()) : -1;
    const Concordance &concordance = m_model->concordance();
    const bool sorted = runThenShow(
        *m_tasks, m_pointer.get(), m_services.messages, u"Tri de la concordance…"_s,
        notEnoughMemoryFor(u"La concordance ne peut pas être triée"_s, u"Texte trop volumineux"_s),
        [&](TaskProgress &progress) { return concordance.arranged(concordanceOrders[choice].second, &progress); },
        [this](Concordance::Arrangement rows) {
            m_model->arrange(std::move(rows));
            return true;
        });
    if (!sorted) {
        // The choice goes back to the order still shown.
        const QSignalBlocker quiet(m_order);
        m_order->setCurrentIndex(concordanceOrderIndex(concordance.order()));
        return;
    }
    if (attestation >= 0)
        selectAttestation(attestation);
}

void ConcordanceWindow::selectAttestation(qsizetype attestation)
{
    const QModelIndex row = m_model->index(int(m_model->concordance().rowOf(attestation)),
                                           ConcordanceModel::formColumn);
    m_table->setCurrentIndex(row);
    m_table->scrollTo(row, QAbstractItemView::PositionAtCenter);
}

// The paragraph as the text writes it, its form highlighted.
void ConcordanceWindow::showParagraph(const QModelIndex &current)
{
    m_paragraph->clear();
    if (!current.isValid())
        return;
    const Concordance &concordance = m_model->concordance();
    const qsizetype attestation = concordance.attestation(current.row());
    const TextSpan paragraph = concordance.paragraph(attestation);
    const TextSpan form = concordance.span(attestation);
    const QStringView text = concordance.text();

    QTextCursor cursor(m_paragraph->document());
    cursor.insertText(shownText(text.sliced(paragraph.begin, form.begin - paragraph.begin)));
    QTextCharFormat highlighted;
    highlighted.setFontWeight(QFont::Bold);
    highlighted.setBackground(highlightColour);
    highlighted.setForeground(Qt::black);
    cursor.insertText(shownForm(text.sliced(form.begin, form.end - form.begin)), highlighted);
    const int formEnd = cursor.position();
    cursor.insertText(shownText(text.sliced(form.end, paragraph.end - form.end)), QTextCharFormat());
    cursor.setPosition(formEnd);
    m_paragraph->setTextCursor(cursor);
    m_paragraph->ensureCursorVisible();
}

void ConcordanceWindow::markOnStrip(const QModelIndex &current)
{
    m_strip->setSelected(current.isValid() ? m_model->concordance().attestation(current.row()) : -1);
}

void ConcordanceWindow::showWords(int words)
{
    m_words->setSuffix(wordsSuffix(words));
}

void ConcordanceWindow::save()
{
    saveConcordance(m_model->concordance(), m_model->words(), m_services.dialogs, m_services.messages,
                    *m_pointer);
}

void ConcordanceWindow::print()
{
    printConcordance(m_model->concordance(), m_model->words(), m_form, m_services.dialogs, m_services.printing,
                     m_services.messages, *m_pointer);
}

void ConcordanceWindow::closeWindow()
{
    close();
}

void ConcordanceWindow::showInText()
{
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid())
        return;
    const TextSpan form = m_model->concordance().span(m_model->concordance().attestation(current.row()));
    Q_EMIT attestationShown(form.begin, form.end);
}

} // namespace lexalon
