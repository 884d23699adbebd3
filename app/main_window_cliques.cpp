#include "app/main_window.h"

#include "cliques/clique_list.h"
#include "cliques/clique_search.h"
#include "files/file_access.h"
#include "graph/progress.h"

#include <climits>

void MainWindow::computeCliques() {
    m_store.refreshCounts();
    cliqueListBox->clear();
    for (QPushButton* button :
         {answerButton, removeRepeatsButton, ascendingButton, descendingButton})
        button->setEnabled(true);
    if (m_progress)
        m_progress->begin();
    setLamps(Colours::Red, Colours::Red, Colours::Red);
    searchCliquesFromEveryVertex(m_store, m_cliques, m_progress);
    if (m_progress)
        m_progress->finish();
    showCliqueList();
    emit graphChanged();
}

void MainWindow::removeRepeatedCliques() {
    repeatsLamp->setColour(Colours::Green);
    removeRedundantCliques(m_cliques);
    showCliqueList();
}

void MainWindow::sortAscending() {
    ascendingLamp->setColour(Colours::Green);
    descendingLamp->setColour(Colours::Red);
    sortCliquesBySize(m_cliques, SizeOrder::Ascending);
    showCliqueList();
}

void MainWindow::sortDescending() {
    descendingLamp->setColour(Colours::Green);
    ascendingLamp->setColour(Colours::Red);
    sortCliquesBySize(m_cliques, SizeOrder::Descending);
    showCliqueList();
}

void MainWindow::saveCliqueList() {
    const std::optional<QString> name = listSaveDialog.execute(this);
    if (!name)
        return;
    const QString fileName = *name + ".txt";
    // The list box shows exactly the texts of m_cliques; writing those keeps
    // the label bytes as they came, whatever their encoding.
    if (!writeFileAtomically(fileName, cliqueListBytes(m_cliques)))
        dialogs().message(this, Texts::FehlerCaption, Texts::cannotWrite(fileName));
}

void MainWindow::showK() {
    kField->setText(QString::number(kSpinner->position()));
}

void MainWindow::answerDecision() {
    const qsizetype k = kField->text().toLongLong();
    if (m_progress) {
        m_progress->setMaximum(int(std::min<qsizetype>(m_cliques.size(), INT_MAX)));
        m_progress->begin();
    }
    const qsizetype largest = largestCliqueSize(m_cliques, m_progress);
    if (m_progress)
        m_progress->finish();
    largestCliqueField->setText(QString::number(largest));
    existenceField->setText(QString::fromLatin1(decisionAnswer(largest, k)));
}
