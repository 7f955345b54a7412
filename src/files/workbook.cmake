# Workbook layer (owned by the workbook work).
