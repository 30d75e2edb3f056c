#include "app/txd/FieldWriter.h"

#include "app/txd/TxdText.h"

namespace {

// Columns after this many no longer get their own entry controls.
constexpr std::size_t kPopulatedColumns = 150;

void writeNoPopulate(TxdOutput& output) {
    output.line("[QUICKCODE]");
    output.line("!NOPOPULATE");
}

void writeDateTimeGroup(TxdOutput& output, DictionaryNumbers& numbers, const PlannedField& field) {
    const std::string& label = field.label;
    const std::string& name = field.name;
    output.line(field.groupLabel + "                GROUP,OVER(" + label + ")");
    output.line(identLine(++numbers.field));
    output.line(field.dateLabel + "                 DATE");
    output.line(identLine(++numbers.field, ",PROMPT(" + quoted(name + " DATE:") + "),HEADER(" +
                                               quoted(name + " DATE") + "),PICTURE(@d17),JUSTIFY(RIGHT,1)"));
    output.line(field.timeLabel + "                 TIME");
    output.line(identLine(++numbers.field, ",PROMPT(" + quoted(name + " TIME:") + "),HEADER(" +
                                               quoted(name + " TIME") + "),PICTURE(@t7),JUSTIFY(RIGHT,1)"));
    output.line("  END");
    output.line(identLine(++numbers.field));
}

void writeField(TxdOutput& output, DictionaryNumbers& numbers, const PlannedField& field, const TxdOptions& options) {
    const bool dateTime = field.type.dateTimeGroup;
    if (dateTime || field.position > kPopulatedColumns) writeNoPopulate(output);
    const std::string& label = field.label;
    output.line(label + " " + field.type.text + nameAttribute(options, field.name));
    output.line(identLine(++numbers.field, ",PROMPT(" + quoted(label + ":") + "),HEADER(" + quoted(label) +
                                               "),MESSAGE(" + quoted(label) + "),TOOLTIP(" + quoted(label) + ")"));
    if (dateTime) writeDateTimeGroup(output, numbers, field);
}

}  // namespace

void WriteColumns(TxdOutput& output, DictionaryNumbers& numbers, const std::vector<PlannedField>& fields,
                  const TxdOptions& options) {
    for (const PlannedField& field : fields) writeField(output, numbers, field, options);
}
