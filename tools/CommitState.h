#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class UserDatabase;
class UserEdits;

// The states the crash test commits. Each is a function of its sequence number alone, and the
// profile names the number, so a user.pdb found after a kill tells which commit it holds and
// whether it holds all of it.
namespace CommitState {

// Replaces everything the store holds by the state of `sequence` and saves every record.
void Apply(UserDatabase& store, int sequence);
// The same state made as the program makes it: the user's part as one edit (a macro of
// commands), the bookkeeping set directly. The edits save it.
void ApplyByEdits(UserEdits& edits, int sequence);
// The sequence number a store holds: 0 for a fresh one, -1 when its profile names none.
int SequenceOf(const UserDatabase& store);
// The user records (0 to 8) of a file, empty when it does not open as a sound database.
std::vector<QByteArray> RecordsOf(const QString& path);
// The user records of the state of `sequence`, as a store writes them.
std::vector<QByteArray> Expected(int sequence);
// The sequence number named by records read with RecordsOf, -1 when they name none.
int SequenceOf(const std::vector<QByteArray>& records);

} // namespace CommitState
