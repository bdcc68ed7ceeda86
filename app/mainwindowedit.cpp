// Editing the index: adding a feature with Alt + click, renaming and deleting.
#include "app/mainwindow.h"

#include "app/mainwindowstyle.h"
#include "app/newfeaturedialog.h"
#include "astro/projection.h"
#include "data/cp1252.h"
#include "platform/dialogs.h"

#include <QLabel>

using namespace mainwindowstyle;

namespace {
// A typed name as the index file can hold it: characters outside its code
// page become their base letter or are left out, and the user sees what is
// stored. Gives false, after saying so, when nothing would be left.
bool storableName(const QString& typed, const QString& nothingDone, QString* name)
{
    const QString storable = transliterateToCp1252(typed);
    if (storable.trimmed().isEmpty()) {
        showMessage(QStringLiteral("De index kan geen enkel teken van deze naam bewaren; ") + nothingDone
                    + QLatin1Char('.'));
        return false;
    }
    *name = storable.left(FeatureRecord::MaxNameLength);
    if (storable != typed)
        showMessage(QStringLiteral("De index kan niet alle tekens van deze naam bewaren.\n"
                                   "De naam is opgeslagen als:\n\n")
                    + *name);
    return true;
}
}

void MainWindow::addFeatureAt(int X, int Y)
{
    RunState& s = state_;
    if (!s.changesAllowed) {
        showMessage(QStringLiteral("Toevoegen van een landkenmerk met behulp van de Ctrl-toets is beveiligd.\n\n"
                                   "<Nieuwe namen/Nieuw toestaan> moet eerst worden aangevinkt."));
        return;
    }
    const int slot = s.featureTable.firstEmptySlot();
    if (slot == 0) {
        showMessage(QStringLiteral("De index van dit beeld is vol: er passen niet meer dan %1 landkenmerken in.\n\n"
                                   "Er is niets toegevoegd.").arg(FeatureTableSize));
        return;
    }
    if (!windows_.newFeature || windows_.newFeature->showModal() != mrOk)
        return;
    const QString typed = windows_.newFeature->typedName();
    QString name;
    if (typed.trimmed().isEmpty() || !storableName(typed, QStringLiteral("er is niets toegevoegd"), &name))
        return;
    double x = 0, y = 0;
    screenToHalfPixels(placement(), X, Y, &x, &y);
    FeatureRecord& r = s.featureTable.slot(slot);
    r.setName(name);
    r.setPosition(x, y);
    // The new feature shows at the next repaint; until then this mark tells
    // the user it was added.
    drawCircle(X, Y, 4, kAqua);
    surface_->showCanvas();
    emit indexChanged();
}

void MainWindow::Nieuwenamen1Click()
{
    showMessage(QStringLiteral("Het updaten van de index is beveiligd. \n"
                               "<Wijzigen toestaan> moet eerst worden aangevinkt. \n"
                               "\n"
                               "U kunt dan zelf aan de index van landkenmerken een \n"
                               "nieuwe naam toevoegen.\n"
                               "Klik daartoe met gelijktijdig indrukken van de Alt-toets \n"
                               "(of van Ctrl en Alt samen, waar Alt + klik het venster verplaatst) \n"
                               "op het landkenmerk op de maanfoto.\n"
                               "\n"
                               "Wijzigen van een naam is ook mogelijk. \n"
                               "Activeer dan <Actuele Index> en klik daar met de\n"
                               "rechter muisknop op de te wijzigen naam. \n"
                               "Wijzig in het editvensterje en sluit af met Ok.\n"
                               "\n"
                               "U verwijdert een naam uit de lijst door de naam \n"
                               "geheel te wissen.\n"
                               "\n"
                               "Wijzigen kan ook via het popupmenu na aanwijzen van het\n"
                               "landkenmerk op een maanfoto."));
}

void MainWindow::Wijzigentoestaan1Click()
{
    state_.changesAllowed = !state_.changesAllowed;
    Wijzigentoestaan1->setChecked(state_.changesAllowed);
    Wijzignaam1->setEnabled(state_.changesAllowed && state_.hoveredFeature != 0);
}

void MainWindow::Wijzignaam1Click()
{
    const int slot = state_.hoveredFeature;
    if (state_.changesAllowed && slot >= 1 && slot <= FeatureTableSize && state_.featureTable.slot(slot).inUse())
        renameFeature(slot);
    beep();
}

void MainWindow::renameFeature(int slot)
{
    RunState& s = state_;
    if (!s.changesAllowed || slot < 1 || slot > FeatureTableSize || !s.featureTable.slot(slot).inUse())
        return;
    QString text = s.featureTable.slot(slot).name();
    if (!inputBox(QStringLiteral("Veranderen van de naam"), QStringLiteral("Nieuwe naam"), &text))
        return;
    if (text.trimmed().isEmpty()) {
        s.featureTable.deleteSlot(slot);
        // The slot numbers held elsewhere follow the features that moved down;
        // a deleted selection is forgotten.
        if (s.selectedFeature == slot)
            forgetSelection();
        else if (s.selectedFeature > slot)
            --s.selectedFeature;
        forgetHoveredFeature();
    } else {
        QString name;
        if (!storableName(text, QStringLiteral("er is niets veranderd"), &name))
            return;
        s.featureTable.slot(slot).setName(name);
    }
    emit indexChanged();
    repaintNow();
}
