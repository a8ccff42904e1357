"""A printer that fails a printout is let go of: the protocol printed on a print queue, the
queue then refusing jobs, a right click on the detail window prints straight to the held
printer and "ошибка печати" says it failed; the next right click asks for a printer again.

Needs the project's print queues, so root (the print_queues fixture says why it skips).
"""

from print_queue import QUEUES
from printouts import refusing_jobs
from viewer_page import PRINT_FAILED, write_file

QUEUE = QUEUES[0]


def test_after_a_failed_printout_the_next_right_click_asks_for_a_printer(
        session, start_viewer, print_queues):
    viewer = start_viewer(file=write_file(session, "ten.dst", range(10)))
    viewer.click_row(0)
    detail = viewer.wait_detail_built()
    before = print_queues.snapshot()
    viewer.right_click_detail(detail)
    viewer.confirm_print(QUEUE)
    print_queues.wait_for_pdf(QUEUE, before)
    viewer.wait_printout_over()

    with refusing_jobs(QUEUE):
        viewer.right_click_detail(detail)  # the held printer: no dialog
        viewer.dismiss_message(PRINT_FAILED)
        viewer.wait_printout_over()
    viewer.assert_no_print_dialog("the failed printout")

    viewer.right_click_detail(detail)
    viewer.wait_print_dialog()
    viewer.cancel_print()
    viewer.assert_no_message_box()
