#pragma once

class DayValueSource;
class ItemList;
class UserDatabase;

// Fills target with one summary per day of the store's logs, for the trend chart: days in order
// of first appearance, fitness log first. Without a source (References().Values()) the values
// are 0.
void BuildDaySummaries(const UserDatabase& store, ItemList& target, const DayValueSource* values);
