#pragma once

class QComboBox;
class QString;

// Names a drop-down list for screen readers: the box, and the list it opens, which has no name of
// its own (Qt on Linux announces the box by its choice and its label).
void SetDropDownName(QComboBox* box, const QString& name);
