// The main window's data-entry assists: adding a record through the "New Record" dialog,
// the zip lookup, the duplicate-name check, carried fields, skipped fields, cloning and
// the date picker.

#include "app/bkmain.h"

#include "addressfile/addresslayout.h"
#include "app/datesel.h"
#include "app/dupname.h"
#include "app/getflzip.h"
#include "app/newrecordfill.h"
#include "app/recordcard.h"
#include "app/skipfields.h"
#include "platform/busy.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "platform/recorddate.h"
#include "platform/systembeep.h"
#include "select/upperfold.h"
#include "table/controlsscope.h"
#include "table/dbedit.h"
#include "table/tableerror.h"

#include <QScopedValueRollback>
#include <utility>
#include <vector>

// Remembers position, order and the exact switch, and puts them back when it ends;
// failures while putting them back are of no consequence to the caller.
class TAddressMain::LookupScope {
public:
    explicit LookupScope(TAddressMain& w)
        : W(w), RecNo(w.Apollo1.RecNo()), Order(w.Apollo1.IndexOrd()), Exact(w.ApolloEnv1.Exact()), Target(RecNo)
    {}
    ~LookupScope()
    {
        try {
            W.ApolloEnv1.SetExact(Exact);
            W.Apollo1.SetOrder(Order);
            W.Apollo1.Go(Target);
        } catch (const TableError&) {
        }
    }
    void ReturnTo(long recNo) { Target = recNo; }

private:
    TAddressMain& W;
    long RecNo;
    int Order;
    bool Exact;
    long Target;
};

CarriedValues TAddressMain::TakeCarriedValues()
{
    if (!HasRecord())
        return {};
    auto text = [this](const char* name) { return TableBook.FieldByName(name).AsString(); };
    CarriedValues c{text("ORG"), text("CITY"), text("STATE"), text("ZIP"), text("STREET"), text("STREET2")};
    if (Preferences.CarryCountry)
        c.country = text("COUNTRY");
    return c;
}

void TAddressMain::AddButtonClick()
{
    const CarriedValues carried = TakeCarriedValues();
    NewRecordAnswers answers;
    if (Preferences.PlugCityState || Preferences.AutoDupCheck) {
        auto width = [this](const char* name) { return TableBook.FieldByName(name).Size(); };
        TGetFirstLastZip dialog(Preferences.AutoDupCheck, Preferences.PlugCityState,
                                {width("LNAME"), width("FNAME"), width("ZIP")}, this);
        CenterDialog(&dialog);
        if (dialog.exec() != QDialog::Accepted)
            return;
        if (Preferences.PlugCityState)
            answers.zip = dialog.ZipText();
        if (Preferences.AutoDupCheck) {
            answers.first = dialog.FirstNameText();
            answers.last = dialog.LastNameText();
        }
    }
    // An empty zip would match every entry of the zip order: nothing to look up.
    if (!answers.zip.isEmpty())
        FillCityState(answers.zip, answers.city, answers.state);
    if (!CheckDupName(answers.first, answers.last)) {
        SetButtons();
        return;
    }
    const bool inserted = RunTableCommand([&] {
        TableBook.Insert();
        for (const auto& [field, value] : NewRecordValues(Preferences, carried, answers, QDate::currentDate()))
            TableBook.FieldByName(field).SetAsString(value);
    });
    SetButtons();
    if (!inserted)
        return;
    const char* focus = NewRecordFocus(Preferences, TableBook.FieldByName("LNAME").AsString().isEmpty(),
                                       TableBook.FieldByName("FNAME").AsString().isEmpty());
    RecordCard->EditNamed(focus)->setFocus();
    SetSkipFields(true);
}

bool TAddressMain::FillCityState(const QString& zip, QString& city, QString& state)
{
    city.clear();
    state.clear();
    LookupScope scope(*this);
    try {
        Apollo1.SetOrder(Apollo1.TagArea("zip"));
        ApolloEnv1.SetExact(false);
        if (!Apollo1.Seek(upperCaseLikeEngine(zip)))
            return false;
        city = TableBook.FieldByName("CITY").AsString();
        state = TableBook.FieldByName("STATE").AsString();
        return true;
    } catch (const TableError&) {
        return false;
    }
}

bool TAddressMain::CheckDupName(const QString& first, const QString& last)
{
    if (first.isEmpty() || last.isEmpty())
        return true;
    LookupScope scope(*this);
    const QString key =
        DuplicateNameKey(last, first, TableBook.FieldByName("LNAME").Size(), TableBook.FieldByName("FNAME").Size());
    try {
        Apollo1.SetOrder(Apollo1.TagArea("LNAME"));
        ApolloEnv1.SetExact(true);
        if (!Apollo1.Seek(key))
            return true;
    } catch (const TableError&) {
        return true;
    }
    SystemBeep();
    const long duplicate = Apollo1.RecNo();
    auto text = [this](const char* name) { return TableBook.FieldByName(name).AsString(); };
    const bool goOn = AskYesNoDefaultNo(
        DuplicateQuestion({text("FNAME"), text("LNAME"), text("STREET"), text("CITY"), text("STATE"), text("ZIP")}),
        "Possible Duplicate");
    if (!goOn)
        scope.ReturnTo(duplicate);
    return goOn;
}

void TAddressMain::SetSkipFields(bool skip)
{
    for (const SkipField& field : SkipFields())
        RecordCard->EditNamed(field.control)
            ->setFocusPolicy(KeepsTabStop(Preferences, field, skip) ? Qt::StrongFocus : Qt::ClickFocus);
}

void TAddressMain::mnuCloneClick()
{
    if (!AskYesNo("Clone this record?", "Clone"))
        return;
    QString failure;
    {
        BusyCursor busy;
        // Controls and events stay quiet while the copy is made, and come back however it ends.
        QScopedValueRollback<bool> quietEvents(EventsActive, false);
        ControlsScope quiet(TableBook);
        // TAG and ISDEL start afresh.
        std::vector<std::pair<const char*, QString>> values;
        try {
            for (const addresslayout::FieldSpec& field : addresslayout::kFields)
                if (field.cloned)
                    values.emplace_back(field.name, TableBook.FieldByName(field.name).AsString());
            TableBook.Insert();
            for (const auto& [name, value] : values)
                TableBook.FieldByName(name).SetAsString(value);
            TableBook.Post();
        } catch (const TableError& e) {
            failure = e.Message();
            // Leave no half-made record behind.
            TableBook.Cancel();
        }
    }
    ShowInformation(failure.isEmpty() ? QStringLiteral("Clone completed. Current record is an exact copy") : failure);
    SetButtons();
}

void TAddressMain::DateLabelClick()
{
    const bool wasEditing = IsEditing();
    const QDate stored = RecordDateToDate(TableBook.FieldByName("DATE").AsString());
    TDateSelector selector(stored.isValid() ? stored : QDate::currentDate(), this);
    CenterDialog(&selector);
    const int result = selector.exec();
    if (result != TDateSelector::Ok && result != TDateSelector::NoDate)
        return;
    const QString date = result == TDateSelector::NoDate ? QString() : selector.SelectedRecordDate();
    RunTableCommand([&] {
        if (!wasEditing)
            TableBook.Edit();
        TableBook.FieldByName("DATE").SetAsString(date);
    });
    SetButtons();
}
