#pragma once
// The dialog "Rebuild indexes for <file>": "Reindex" packs the records bearing the delete
// mark out of the open address file, then recreates its 26 tags, with a gauge for each
// phase. The table and its companion are the main window's.

#include "addressfile/reindexprogress.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class TApollo;
class TTable;

class TBkReindex : public QDialog {
    Q_OBJECT
public:
    TBkReindex(TTable& table, TApollo& apollo, QWidget* parent = nullptr);

    QProgressBar* Gauge1;
    QLabel* WhatAmIDoing;
    QPushButton* Doit;
    QPushButton* HelpButton;
    QPushButton* CancelButton;

    void DoitClick();

private:
    void GaugeReport(int percent);
    void HookGauge(ReindexProgress::Phase phase);
    void UnhookGauge();

    TTable& table_;
    TApollo& apollo_;
    ReindexProgress progress_;
};
