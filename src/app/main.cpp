// Tabloom: reads an ODBC data source's catalogue and writes a Clarion
// dictionary from it.
#include "app/main/Program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return ProgramEntry();
}
