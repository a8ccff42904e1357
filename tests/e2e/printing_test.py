"""The viewer's two printouts, printed as a user prints them: a right click on the list pane or
on the detail window, Wine's print dialog answered by keys, and the PDFs that the project's
print queues make read back word by word.

Prints on the project's print queues, which only root can run: skipped for anyone else.

The printouts are laid out in units of 1/600 inch and mapped onto the printer's resolution, so
on both queues (300 and 600 dpi, A4: VERTRES 3508 and 7016) the line height is 7016 / 64 = 109
layout units and every text stands at the same place on paper.
"""

import viewer_geometry as geo
from desktop import wait_until
from printouts import (PDF300, PDF600, ROWS_PER_PAGE, TIMED_MODE, assert_nothing_printed,
                       check_list_printout, check_protocol, dialog_windows, list_rows, print_once,
                       read_pdf, records_of, shown_printer, wait_dialog_gone, word_places)
from viewer_page import (BESIDE_PANES, MILLION, SAMPLE, copy_records, make_records,
                         million_records)


def test_list_of_the_sample_prints_every_record_under_its_heading(
        session, start_viewer, print_queues):
    viewer = start_viewer(file=SAMPLE)
    pdf = print_once(viewer, viewer.right_click_list, PDF600)
    pages = check_list_printout(pdf, viewer.path, viewer.wine_name)
    print(f"    the sample ({len(records_of(viewer.path))} records): {len(pages)} pages, "
          f"{[len(list_rows(p)) for p in pages]} rows")


def test_a_full_page_and_one_row_print_alike_at_300_and_600_dpi(
        session, start_viewer, print_queues):
    path = make_records(session.temp_dir, "records.dst", ROWS_PER_PAGE + 1)
    viewer = start_viewer(file=path)
    low = print_once(viewer, viewer.right_click_list, PDF300)
    # The list asks every time; the dialog opens on the printer chosen last.
    before = print_queues.snapshot()
    viewer.right_click_list()
    window = viewer.wait_print_dialog()
    assert shown_printer(session) == PDF300, f"the dialog opens on {shown_printer(session)}"
    viewer.confirm_print(PDF600, window=window)
    high = print_queues.wait_for_pdf(PDF600, before)

    for pdf in (low, high):
        pages = check_list_printout(pdf, path, viewer.wine_name)
        assert [len(list_rows(p)) for p in pages] == [ROWS_PER_PAGE, 1], pdf.name
    low_words, high_words = word_places(low), word_places(high)
    assert [w[:2] for w in low_words] == [w[:2] for w in high_words], \
        "the same words at 300 and 600 dpi"
    worst = max(max(abs(a[2] - b[2]), abs(a[3] - b[3])) for a, b in zip(low_words, high_words))
    assert worst <= 2.0, f"a word stands {worst:.2f} pt apart at 300 and 600 dpi"
    print(f"    {len(low_words)} words; at 300 and 600 dpi at most {worst:.2f} pt apart")


def test_one_full_page_has_no_page_label_and_two_full_pages_no_third(
        session, start_viewer, print_queues):
    for count, rows in ((ROWS_PER_PAGE, [ROWS_PER_PAGE]),
                        (2 * ROWS_PER_PAGE, [ROWS_PER_PAGE, ROWS_PER_PAGE])):
        path = make_records(session.temp_dir, "records.dst", count)
        viewer = start_viewer(file=path)
        pdf = print_once(viewer, viewer.right_click_list, PDF600)
        pages = check_list_printout(pdf, path, viewer.wine_name)
        assert [len(list_rows(p)) for p in pages] == rows, f"{count} records: {pdf.name}"
        viewer.exit()


def test_page_labels_from_the_tenth_page_on_are_printed_whole(session, start_viewer, print_queues):
    path = make_records(session.temp_dir, "records.dst", 10 * ROWS_PER_PAGE + 1)
    viewer = start_viewer(file=path)
    pdf = print_once(viewer, viewer.right_click_list, PDF300)
    pages = check_list_printout(pdf, path, viewer.wine_name)  # "лист 10 из 11" among them
    assert [len(list_rows(p)) for p in pages] == [ROWS_PER_PAGE] * 10 + [1], pdf.name


def test_a_cancelled_dialog_prints_nothing_and_the_next_click_asks_again(
        session, start_viewer, print_queues):
    viewer = start_viewer(file=SAMPLE)
    before = print_queues.snapshot()
    viewer.right_click_list()
    viewer.cancel_print()
    assert_nothing_printed(viewer, before, "Cancel")
    pdf = print_once(viewer, viewer.right_click_list, PDF300)
    assert len(read_pdf(pdf)) == 2, pdf.name
    assert viewer.program.running()


def test_right_clicks_beside_the_list_print_nothing(session, start_viewer, print_queues):
    viewer = start_viewer(file=SAMPLE)
    before = print_queues.snapshot()
    for name, rect in (("info pane", geo.INFO_PANE), ("header pane", geo.HEADER_PANE),
                       ("main window", (540, 150, 170, 200)), ("Open button", geo.OPEN_BUTTON)):
        viewer.window.click(*geo.centre(rect), button=3)
        viewer.assert_no_print_dialog(f"a right click on the {name}")
    assert_nothing_printed(viewer, before, "right clicks beside the list")
    # The viewer still answers: the list asks.
    viewer.right_click_list()
    viewer.cancel_print()


def test_protocol_asks_once_per_detail_window(session, start_viewer, print_queues):
    path = SAMPLE
    viewer = start_viewer(file=path)
    timed = next(i for i, (mode, _, _) in enumerate(records_of(path)) if mode == TIMED_MODE)
    assert timed < geo.VISIBLE_ROWS, "the sample's first timed measurement is on screen"
    detail = viewer.open_detail(timed)

    # Twice: one dialog, two documents on the same printer.
    first = print_once(viewer, lambda: viewer.right_click_detail(detail), PDF600)
    before = print_queues.snapshot()
    viewer.right_click_detail(detail)
    second = print_queues.wait_for_pdf(PDF600, before)
    assert not dialog_windows(session.display), "the second protocol asked again"
    for pdf in (first, second):
        check_protocol(pdf, path, timed)

    # The series toggle builds a new window: the first right click asks again; a cancelled
    # dialog prints nothing and the next right click asks again too.
    detail = viewer.toggle_series(detail)
    before = print_queues.snapshot()
    viewer.right_click_detail(detail)
    viewer.cancel_print()
    assert_nothing_printed(viewer, before, "Cancel")
    pdf = print_once(viewer, lambda: viewer.right_click_detail(detail), PDF300)
    check_protocol(pdf, path, timed)

    # A list printout after the protocol asks again, on the printer chosen last ...
    before = print_queues.snapshot()
    viewer.right_click_list()
    window = viewer.wait_print_dialog()
    assert shown_printer(session) == PDF300, f"the dialog opens on {shown_printer(session)}"
    viewer.confirm_print(None, window=window)
    check_list_printout(print_queues.wait_for_pdf(PDF300, before), path, viewer.wine_name)
    # ... and the protocol goes on printing to the printer the list chose, without asking.
    before = print_queues.snapshot()
    viewer.right_click_detail(detail)
    check_protocol(print_queues.wait_for_pdf(PDF300, before), path, timed)
    assert not dialog_windows(session.display), "the protocol asked after the list"

    # A record click builds a new window: its first protocol asks again.
    express = next(i for i, (mode, _, _) in enumerate(records_of(path)) if mode == 0)
    viewer.click_row(express)
    detail = viewer.wait_detail(replacing=detail)
    pdf = print_once(viewer, lambda: viewer.right_click_detail(detail), PDF600)
    check_protocol(pdf, path, express)


def test_right_clicks_while_a_print_dialog_is_open_print_nothing(
        session, start_viewer, print_queues):
    """The dialog disables only its owner's top-level window: the list pane and the detail
    window still take right clicks while the other one's dialog is open."""
    viewer = start_viewer(file=SAMPLE)
    detail = viewer.open_detail(0)
    before = print_queues.snapshot()
    for first, second in ((viewer.right_click_list, lambda: viewer.right_click_detail(detail)),
                          (lambda: viewer.right_click_detail(detail), viewer.right_click_list)):
        first()
        dialog = viewer.wait_print_dialog()
        second()
        viewer.settle()
        assert dialog_windows(session.display) == [dialog], "a second print dialog"
        # The click elsewhere took the keyboard from the dialog: Cancel is pressed by pointer.
        session.click_child(session.window_texts("Print"), "Button", "Cancel")
        wait_dialog_gone(session.display, dialog)
        viewer.assert_no_print_dialog("the dialog was cancelled")
    assert_nothing_printed(viewer, before, "Cancel")
    # Printing works again once the dialogs are over.
    pdf = print_once(viewer, lambda: viewer.right_click_detail(detail), PDF600)
    check_protocol(pdf, viewer.path, 0)


def test_a_million_records_ask_for_the_list_and_print_the_last_protocol(
        session, start_viewer, print_queues):
    """The list printout would run to 19,231 pages and cannot be stopped once the dialog is
    answered, so no test waits for it: its dialog comes and is cancelled, and the viewer goes
    on. The last record's protocol, one page, is printed and read back instead."""
    tail = copy_records(million_records(), MILLION - 48, 48, session.temp_dir / "tail.dst")
    viewer = start_viewer(file=million_records())
    viewer.window.press(geo.SCROLL_BAR_X, geo.TROUGH_TOP)
    viewer.window.move(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM + geo.SCROLL_BAR_WIDTH)
    viewer.window.release(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM + geo.SCROLL_BAR_WIDTH)
    viewer.window.click(*geo.DOWN_ARROW)  # at the end: does nothing
    viewer.park()
    viewer.settle()
    bottom = wait_until(lambda: (rows := viewer.rows()) == viewer.rows() and rows,
                        "the last rows to stand still")
    viewer.right_click_list(5)
    viewer.cancel_print()
    viewer.park()  # the right click left row 5 highlighted
    viewer.wait_rows(bottom, "the last rows again after Cancel")
    viewer.window.wheel(*BESIDE_PANES, 1)
    viewer.park()
    wait_until(lambda: viewer.rows()[1:] == bottom[:-1], "one wheel notch up after Cancel")
    viewer.window.wheel(*BESIDE_PANES, -1)
    viewer.park()
    viewer.wait_rows(bottom, "one wheel notch down to the end")
    detail = viewer.open_detail(geo.VISIBLE_ROWS - 1)
    pdf = print_once(viewer, lambda: viewer.right_click_detail(detail), PDF300)
    check_protocol(pdf, tail, 47)
    assert viewer.detail() is not None

