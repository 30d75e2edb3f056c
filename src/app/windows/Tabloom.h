// The catalogue window: the data source's catalogue on five tabs, and the
// dictionary writer.
#pragma once

void Tabloom();
