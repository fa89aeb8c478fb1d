#pragma once
// Component > Packages: the host's package report, every package loaded or tried, oldest first,
// with the reason of each failure.

class QWidget;
class TDesignHost;

void ShowPackagesDialog(QWidget* parent, const TDesignHost& host);
