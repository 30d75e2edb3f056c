#include "app/windows/QueryBuilder.h"

// Not built yet: composes nothing.
QueryBuilderResult QueryBuilder() { return {}; }
