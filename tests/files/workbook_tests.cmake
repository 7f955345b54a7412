# Tests of the workbook layer.
