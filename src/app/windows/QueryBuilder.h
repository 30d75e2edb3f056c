// The query builder: the condition part of an SQL statement put together
// from rows of column, operator and value.
#pragma once

#include <string>

struct QueryBuilderResult {
    std::string condition;  // begins with a blank; empty when nothing was composed
    std::string table;      // the catalogue name of the table chosen in the builder
    std::string owner;      // its owner; empty when the catalogue names none
};

QueryBuilderResult QueryBuilder();
