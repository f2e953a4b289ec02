"""The exchanges of examples/host.c, step for step, through kelmod.Toolbox.

Each function runs one family's exchange with the same calls, the same
strings and in the same order as the C host, and gives back what the C host
prints, so that the tests can hold it against the C host's values.
"""
import kelmod

from conftest import example

SETS = example("kelmset.dat")
FIELDS = example("kelmdef.dat")


def start(tb):
    tb.init_toolbox(1)
    tb.configure_toolbox(1, example("kelmmes.dat"))
    tb.configure_toolbox(2, example("kelmtab.dat"))
    version = tb.toolbox_version()
    tb.fill_interface("46C XY;ZKELMHOST")
    return version, [tb.describe_interface(mode) for mode in range(1, 7)]


def fields_of(tb, record):
    """(name, value) of every field of an answer record, read by position
    until the toolbox answers 26 (no field at that number)."""
    fields = []
    while True:
        try:
            name, _ = tb.get_attribut_name_value(2, len(fields) + 1, record)
        except kelmod.KelmodError as error:
            assert error.code == 26
            return fields
        fields.append((name, tb.get_table_value(2, name, record)))


def generic(tb):
    tb.create_table(1, "MATRQ", "01", SETS, FIELDS)
    for record, (number, plant) in enumerate([("100-*", "1000"), ("200-*", "2000")]):
        tb.write_table_value(1, "MATNR", number, record)
        tb.write_table_value(1, "WERKS", plant, record)
    send = tb.create_sendstr()
    with open(example("answer.txt"), "rb") as answer_file:
        answer = answer_file.read()
    tb.create_fill_table(2, "MATAN", "01", SETS, FIELDS, answer)
    records = [fields_of(tb, record) for record in range(1, int(tb.describe_table(2)) + 1)]
    try:
        tb.get_table_value(2, "NOSUCH", 1)
        missing = None
    except kelmod.KelmodError as e:
        missing = (e.export, e.code, e.type_letter, e.short_text, e.long_text, str(e))
    return send, len(answer), records, missing


def help_list(tb):
    request = tb.create_sendstr_help("MATCH", "01", "MATNR", "1000")
    tb.create_hlp_table(1, "Material;18;X;Description;40;;Unit;3;;")
    tb.fill_hlp_table(1, "100-100;Hexagon head bolt M8x40;ST;100-200;Washer 8.4;ST;"
                         "200-310;Bearing housing, cast iron;ST;")
    columns, lines, preselected = (int(tb.get_hlp_description(mode)) for mode in (1, 2, 3))
    titles = [tb.get_hlp_data(1, column, 0) for column in range(1, columns + 1)]
    rows = [[tb.get_hlp_data(1, column, line).value for column in range(1, columns + 1)]
            for line in range(1, lines + 1)]
    return request, (columns, lines, preselected), [(t.name, t.length) for t in titles], rows


def use_release(tb, release):
    tb.fill_interface(f"{release:<4}XY;ZKELMHOST")


def older_bar(tb):
    use_release(tb, "50A")
    tb.create_sml_table(1, "BOLT;DIN 933;Hexagon head bolts;A;2024;Diameter;D;A;;mm;N;;6;1;"
                           "Length;L;B;;mm;N;;6;0;Since;SINCE;C;;;DATE;;8;0;")
    tb.fill_sml_table(1, "BOLT-M8x40;8;40;01.01.2020;BOLT-M10x50;10;50;01.06.2021;")
    records, objects = int(tb.get_sml_description(1)), int(tb.get_sml_description(2))
    name = tb.get_sml_description(3)
    bar = [[tb.get_sml_data(1, record, obj) for record in range(1, records + 1)]
           for obj in range(1, objects + 1)]
    seen = [[(d.name, d.field_name, d.unit, d.length, d.width, d.decimals, d.value) for d in row]
            for row in bar]
    tb.write_sml_value(1, 2, None, 11, "X", 0)
    return name, records, objects, seen, tb.create_sendstr_sml(1), tb.create_sendstr_sml(2)


def mail(tb):
    use_release(tb, "46C")
    tb.create_mail_table(1, "F;2024;17;D;2024;4711;Drawing released;MEIER;SCHULZ;1;X;;;;;;"
                            "F;2024;18;D;2024;4712;Change request 12;SCHULZ;MEIER;1;;;;;;;")
    count = int(tb.describe_mail_table(1))
    mails = [(tb.get_mail_data(1, 0, "SNDNAM", k)[1],) + tb.get_mail_data(1, 1, "", k)
             for k in range(1, count + 1)]
    return count, mails, tb.create_sendstr_mail(1, 2)


def newer_release(tb):
    use_release(tb, "46C")
    class_request = tb.create_sendstr_clas_k4("CLASS", "001", "PUMPS", "", "", "", "", "")
    count = tb.create_fill_clas_table_k4(2, "PUMP;DN;A;X;mm;VALVE;PN;B;X;bar;")
    classes = [tb.get_clas_data_k4(2, record) for record in range(1, count + 1)]
    tb.create_sml_table(1, "PUMPS;001;Pumps;;;"
                           "DN;Nominal diameter;X;;X;NUM;X;;;4;0;;;;;;mm;A;;;;;;;;;;;;;;;"
                           "PN;Nominal pressure;;;X;NUM;;X;;3;0;;;;;;bar;B;;;;;;;;;;;;;;;")
    value_request = tb.create_sendstr_pos_sml_values_k4(1)
    tb.fill_sml_table(1, "P-100;Pump 100;;;;;;;;;;;;;DN;50;PN;16;;"
                         "P-200;Pump 200;;;;;;;;;;;;;DN;80;PN;25;PN;40;;")
    object_count = int(tb.get_sml_description(2))
    bar_name = tb.get_sml_description(4)
    objects = []
    for k in range(1, object_count + 1):
        texts = tb.get_object_data_k4(1, k)
        pn_count = tb.get_sml_value_description_k4(1, k, "PN")
        pn = [tb.get_sml_data_value_k4(1, "PN", 0, k, i) for i in range(1, pn_count + 1)]
        objects.append((texts[0], texts[1], tb.get_sml_data_value_k4(1, "DN", 0, k, 1), pn))
    characteristics = []
    while True:
        try:
            d = tb.get_sml_data_k4(1, len(characteristics) + 1, 2)
        except kelmod.KelmodError as error:
            assert error.code == 36  # no such characteristic: the bar is done
            break
        characteristics.append((d.name, d.description, d.unit, d.digits, d.value))
    tb.write_sml_value(1, 0, "DN", 34, "80", 0)
    choice = tb.create_sendstr_sml(1)
    tb.fill_sml_table(2, "DN;65;PN;10;PN;16;")
    return {"class request": class_request, "classes": classes, "value request": value_request,
            "bar": (bar_name, object_count), "objects": objects,
            "characteristics": characteristics, "choice": choice,
            "values": tb.create_sendstr_sml(2)}


PRINTS = [(2, "answer_table.txt"), (5, "characteristic_bar.txt"), (12, "class_table.txt"),
          (21, "mails.txt")]


def whole_run(tb, print_folder):
    """main() of the C host."""
    for exchange in (start, generic, help_list, older_bar, mail, newer_release):
        exchange(tb)
    for table_type, name in PRINTS:
        tb.print_table(table_type, str(print_folder / name))
    tb.init_toolbox(2)
