#pragma once
// Reading vCard files: versions 2.1, 3.0 and 4.0, folded lines (a line that begins with a
// blank or a tab continues the one before), quoted-printable values with their soft line
// breaks, 2.1's parameters without names (TEL;WORK;FAX) and its character sets. Anything
// that is not a sequence of BEGIN:VCARD ... END:VCARD blocks of "name:value" lines is
// refused with a message naming the line, and then no card is given at all.
//
//   VCardFile file = ReadVCards(bytes);
//   if (!file.error.isEmpty()) ShowInformation(file.error);
//   for (const VCard& card : file.cards) ... card.Find("EMAIL") ...

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <memory>
#include <utility>
#include <vector>

struct VCardProperty {
    QByteArray name; // upper case, without its group
    // Parameters with upper-case names; a 2.1 parameter without a name is a TYPE (or
    // ENCODING or CHARSET when it is one of their values).
    std::vector<std::pair<QByteArray, QString>> params;
    // The value as text, quoted-printable decoded, still escaped as the format escapes it.
    QString value;
    int line = 0;
};

struct VCard {
    int line = 0; // of its BEGIN
    QByteArray version;
    std::vector<VCardProperty> properties;

    // The first property of that name, or null.
    const VCardProperty* Find(QByteArrayView name) const;
};

struct VCardFile {
    std::vector<VCard> cards;
    QString error; // empty when the whole file was read
};

// The cards one at a time, for files too large to hold as cards all at once. Next gives
// false at the end and at the first error (then Error() says what is wrong); cards given
// before an error were read whole, but the file as a whole is to be refused.
class VCardReader {
public:
    explicit VCardReader(QByteArrayView data); // data must outlive the reader
    ~VCardReader();
    VCardReader(const VCardReader&) = delete;
    VCardReader& operator=(const VCardReader&) = delete;

    bool Next(VCard& card);
    const QString& Error() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

VCardFile ReadVCards(QByteArrayView data);

// The preview before an import: how many cards the file holds, or why it cannot be read.
struct CountedVCards {
    long cards = 0;
    QString error;
};
CountedVCards CountVCards(QByteArrayView data);

// Text values: \n and \N are line breaks, any other escaped character stands for itself.
QString VCardUnescape(QStringView text);
// A structured value (N, ADR, ORG) split at its unescaped semicolons, as views of value;
// the parts keep their escapes, since a part may itself be a list.
using VCardParts = QVarLengthArray<QStringView, 8>;
VCardParts VCardComponents(QStringView value);
// A list value (CATEGORIES, a list inside a component) split at its unescaped commas, each
// item unescaped.
QStringList VCardList(QStringView value);
