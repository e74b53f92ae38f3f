#pragma once
// Keeps out of a line edit every character that Windows-1252 cannot hold, typed or
// pasted: the edit keeps the text it had, and `refused` tells the window so it can say why.
//
//   auto* validator = new Cp1252Validator(edit);
//   edit->setValidator(validator);
//   connect(validator, &Cp1252Validator::refused, ...);

#include <QValidator>

class Cp1252Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;

signals:
    void refused() const;
};
