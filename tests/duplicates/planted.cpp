#include "planted.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <numeric>

namespace {

const QStringList kFirst = {"Robert",  "William",  "Elizabeth", "James",   "Margaret", "José",    "Zoë",
                            "Thomas",  "Richard",  "Katherine", "Michael", "Susan",    "André",   "Jennifer",
                            "Daniel",  "Patricia", "Chloé",     "Joseph",  "Anthony",  "Rebecca", "Nicholas",
                            "Stephen", "Björn",    "Frances",   "Olivia",  "Liam",     "Noah",    "Emma",
                            "Ava",     "Lucas",    "Mia",       "Ethan",   "Hannah",   "Isaac",   "Grace"};
const QStringList kLast = {"Smith",  "O'Brien",  "García",   "van Dyke", "Müller", "Johnson",  "Nguyen", "Kowalski",
                           "Brown",  "Lefèvre",  "Taylor",   "Anderson", "Thomas", "Jackson",  "White",  "Harris",
                           "Martin", "Thompson", "Moore",    "Clark",    "Lewis",  "Walker",   "Hall",   "Young",
                           "Allen",  "King",     "Wright",   "Scott",    "Green",  "Baker",    "Adams",  "Nelson",
                           "Hill",   "Campbell", "Mitchell", "Roberts",  "Carter", "Phillips", "Evans",  "Turner"};
const QStringList kStreet = {"Main", "Oak",        "North Maple",  "Cedar", "Park",  "Lake",   "Hill",      "West Pine",
                             "Elm",  "Washington", "South Church", "Mill",  "River", "Spring", "East Ridge"};
const QStringList kType = {"Street", "Avenue", "Road", "Drive", "Boulevard", "Lane", "Court"};
const QStringList kShort = {"St.", "Ave", "Rd", "Dr.", "Blvd", "Ln", "Ct"};
const QStringList kNick = {"Bob",   "Bill",  "Liz",   "Jim",   "Peggy", "Jose",   "Zoe",    "Tom",   "Rick",
                           "Kathy", "Mike",  "Sue",   "Andre", "Jenny", "Dan",    "Trish",  "Chloe", "Joe",
                           "Tony",  "Becky", "Nick",  "Steve", "Bjorn", "Fran",   "olivia", "LIAM",  "noah",
                           "EMMA",  "ava",   "lucas", "mia",   "ethan", "hannah", "isaac",  "grace"};

QString Pick(const QStringList& list, QRandomGenerator& random)
{
    return list[random.bounded(static_cast<int>(list.size()))];
}

QString Street(const QString& street, QRandomGenerator& random)
{
    QString s = street;
    for (int i = 0; i < kType.size(); ++i)
        s.replace(kType[i], kShort[i]);
    s.replace(QStringLiteral("North "), QStringLiteral("N. ")).replace(QStringLiteral("South "), QStringLiteral("S "));
    return random.bounded(2) ? s.toUpper() : s;
}

QString Phone(const QString& phone, QRandomGenerator& random)
{
    QString digits;
    for (const QChar c : phone)
        if (c.isDigit())
            digits += c;
    const QString area = digits.mid(0, 3), exchange = digits.mid(3, 3), line = digits.mid(6);
    switch (random.bounded(3)) {
    case 0:
        return QStringLiteral("+1 %1 %2 %3").arg(area, exchange, line);
    case 1:
        return QStringLiteral("%1.%2.%3").arg(area, exchange, line);
    default:
        return QStringLiteral("1-%1-%2-%3").arg(area, exchange, line);
    }
}

} // namespace

Contact Respelled(const Contact& contact, quint32 seed)
{
    QRandomGenerator random(seed);
    Contact copy = contact;
    const int index = static_cast<int>(kFirst.indexOf(contact.first));
    switch (random.bounded(4)) {
    case 0:
        copy.first = index >= 0 ? kNick[index] : contact.first.toLower();
        break;
    case 1:
        copy.first = contact.first.left(1) + QLatin1Char('.');
        break;
    case 2:
        copy.first = contact.first.toUpper();
        break;
    default:
        break;
    }
    if (random.bounded(2))
        copy.last = contact.last.toUpper().replace(QLatin1Char('\''), QString());
    if (random.bounded(3) == 0)
        copy.last = contact.last.normalized(QString::NormalizationForm_D).remove(QRegularExpression("\\p{M}"));
    if (random.bounded(2))
        copy.street = Street(contact.street, random);
    if (random.bounded(2) && copy.zip.size() == 5)
        copy.zip += QStringLiteral("-") + QString::number(1000 + random.bounded(9000));
    for (QString& phone : copy.phones)
        if (!phone.isEmpty() && random.bounded(3))
            phone = Phone(phone, random);
    if (random.bounded(2))
        copy.email = contact.email.toUpper();
    // One kind of value missing from the copy, as a source that lacks it would give it.
    switch (random.bounded(5)) {
    case 0:
        copy.email.clear();
        break;
    case 1:
        copy.phones = QStringList{};
        break;
    case 2:
        copy.street.clear();
        break;
    default:
        break;
    }
    return copy;
}

PlantedList GeneratePeople(int people, int planted, quint32 seed)
{
    QRandomGenerator random(seed);
    PlantedList list;
    for (int i = 1; i <= people; ++i) {
        Contact c;
        c.position = i;
        c.first = Pick(kFirst, random);
        // Every fifth contact shares a home with the one before: same last name, street,
        // phone, another given name.
        if (i % 5 == 0 && !list.contacts.empty()) {
            const Contact& home = list.contacts.back();
            while (c.first.at(0) == home.first.at(0))
                c.first = Pick(kFirst, random);
            c.last = home.last, c.street = home.street, c.zip = home.zip, c.phones = home.phones;
        } else {
            c.last = Pick(kLast, random);
            c.street = QString::number(1 + random.bounded(9999)) + QLatin1Char(' ') + Pick(kStreet, random) +
                       QLatin1Char(' ') + Pick(kType, random);
            c.zip = QStringLiteral("%1").arg(10000 + random.bounded(300) * 31, 5, 10, QLatin1Char('0'));
            c.phones = {QStringLiteral("(%1) %2-%3")
                            .arg(201 + random.bounded(700))
                            .arg(200 + random.bounded(700))
                            .arg(random.bounded(10000), 4, 10, QLatin1Char('0'))};
        }
        c.email = QStringLiteral("%1.%2%3@example.com").arg(c.first.left(1), c.last).arg(i);
        list.contacts.push_back(c);
    }
    std::vector<int> order(people);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), random);
    for (int p = 0; p < planted; ++p) {
        const Contact original = list.contacts[order[p]];
        Contact copy = Respelled(original, seed + p);
        copy.position = people + p + 1;
        list.duplicates.emplace_back(original.position, copy.position);
        list.contacts.push_back(copy);
    }
    return list;
}
